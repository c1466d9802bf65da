// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lutaris {

// Splits a text file (or text in memory) into lines of any length, without their line ends.
//
// A line ends at LF, at CR LF, and at a CR that no LF follows: files from old systems that end
// lines with CR alone import like any other. A run of several CRs directly before an LF is one
// line end, so files whose CR LF pairs were converted twice ("CR CR LF") keep their layout.
// A last line without a line end is still a line; an empty read at the end is not.
//
// The file is read in chunks; the buffer grows only as far as the longest line needs, and a
// line longer than the limit ends the reading with LineTooLong instead of growing without bound.
class TextLineReader {
public:
    // Long enough for any tablature a person writes, short enough that seven of them fit in
    // memory.
    static constexpr std::size_t kDefaultMaxLineLength = std::size_t{64} << 20;

    enum class Status { Line, End, LineTooLong, ReadError };

    explicit TextLineReader(std::size_t maxLineLength = kDefaultMaxLineLength);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // Opens a file for reading; false when it cannot be opened or its first bytes cannot be
    // read (a folder, a file without read permission).
    bool Open(const std::string& path);
    // Reads `text` instead of a file; the text is not copied and must outlive the reader.
    void SetText(std::string_view text);
    void Close();

    // The next line, valid until the next call. Once a call returns anything but Line, every
    // later call returns the same.
    Status Next(std::string_view& line);

    // Lines returned so far; after LineTooLong, the number of the line that was too long.
    std::int64_t LineNumber() const { return lineNumber_; }
    std::size_t MaxLineLength() const { return maxLineLength_; }
    // Bytes held for reading; stays near the chunk size unless a line is longer.
    std::size_t BufferCapacity() const { return storage_.size(); }

private:
    static constexpr std::size_t kChunkSize = std::size_t{64} << 10;

    // Moves the unread bytes to the front and appends the next chunk of the file.
    void Refill();
    Status Fail(Status status);

    std::size_t maxLineLength_;
    std::FILE* file_ = nullptr;
    std::vector<char> storage_;
    const char* data_ = nullptr;
    std::size_t begin_ = 0;  // first byte not yet returned
    std::size_t end_ = 0;    // end of the bytes read
    bool endOfInput_ = true;
    Status failure_ = Status::Line;  // Line: no failure yet
    std::int64_t lineNumber_ = 0;
};

}  // namespace lutaris
