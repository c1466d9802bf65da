// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "text/TextLineReader.h"

#include <algorithm>
#include <cstring>

namespace lutaris {

TextLineReader::TextLineReader(std::size_t maxLineLength) : maxLineLength_(maxLineLength) {}

TextLineReader::~TextLineReader() { Close(); }

bool TextLineReader::Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return false;
    storage_.assign(kChunkSize, '\0');
    data_ = storage_.data();
    begin_ = end_ = 0;
    endOfInput_ = false;
    failure_ = Status::Line;
    lineNumber_ = 0;
    // A folder opens on this platform but fails on the first read: it counts as not opened.
    Refill();
    if (failure_ == Status::ReadError) {
        Close();
        return false;
    }
    return true;
}

void TextLineReader::SetText(std::string_view text) {
    Close();
    data_ = text.data();
    begin_ = 0;
    end_ = text.size();
    endOfInput_ = true;
    failure_ = Status::Line;
    lineNumber_ = 0;
}

void TextLineReader::Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    storage_.clear();
    storage_.shrink_to_fit();
    data_ = nullptr;
    begin_ = end_ = 0;
    endOfInput_ = true;
}

TextLineReader::Status TextLineReader::Fail(Status status) {
    failure_ = status;
    return status;
}

void TextLineReader::Refill() {
    if (endOfInput_ || file_ == nullptr) return;
    const std::size_t unread = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(storage_.data(), storage_.data() + begin_, unread);
        begin_ = 0;
        end_ = unread;
    }
    if (storage_.size() - end_ < kChunkSize) {
        storage_.resize(std::max(storage_.size() * 2, end_ + kChunkSize));
    }
    data_ = storage_.data();
    const std::size_t count = std::fread(storage_.data() + end_, 1, storage_.size() - end_, file_);
    end_ += count;
    if (count == 0) {
        endOfInput_ = true;
        if (std::ferror(file_)) failure_ = Status::ReadError;
    }
}

TextLineReader::Status TextLineReader::Next(std::string_view& line) {
    if (failure_ != Status::Line) return failure_;
    std::size_t searched = 0;  // bytes after begin_ known to hold no line end
    for (;;) {
        const char* const start = data_ + begin_;
        const char* const stop = data_ + end_;
        const char* p = start + searched;
        while (p != stop && *p != '\n' && *p != '\r') ++p;
        if (p != stop) {
            const std::size_t length = static_cast<std::size_t>(p - start);
            std::size_t next = length + 1;
            if (*p == '\r') {
                const char* q = p;
                while (q != stop && *q == '\r') ++q;
                if (q == stop && !endOfInput_) {
                    // The run of CRs reaches the end of what was read: whether an LF follows
                    // is still unknown.
                    if (length > maxLineLength_) {
                        ++lineNumber_;
                        return Fail(Status::LineTooLong);
                    }
                    searched = length;
                    Refill();
                    if (failure_ != Status::Line) return failure_;
                    continue;
                }
                if (q != stop && *q == '\n') next = static_cast<std::size_t>(q - start) + 1;
            }
            ++lineNumber_;
            if (length > maxLineLength_) return Fail(Status::LineTooLong);
            line = std::string_view(start, length);
            begin_ += next;
            return Status::Line;
        }
        const std::size_t length = end_ - begin_;
        if (length > maxLineLength_) {
            ++lineNumber_;
            return Fail(Status::LineTooLong);
        }
        if (endOfInput_) {
            if (length == 0) return Fail(Status::End);
            ++lineNumber_;
            line = std::string_view(start, length);
            begin_ = end_;
            return Status::Line;
        }
        searched = length;
        Refill();
        if (failure_ != Status::Line) return failure_;
    }
}

}  // namespace lutaris
