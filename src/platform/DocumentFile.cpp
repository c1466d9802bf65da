#include "platform/DocumentFile.h"

#include "platform/ClassId.h"
#include "platform/CompoundFileError.h"
#include "platform/CompoundFileReader.h"
#include "platform/CompoundFileWriter.h"
#include "platform/RegularFileReader.h"
#include "platform/SafeFileReplacer.h"

namespace lutaris {
namespace {

constexpr char kContentsStream[] = "Contents";

}  // namespace

std::vector<std::uint8_t> ReadDocumentContents(const std::string& path) {
    std::vector<std::uint8_t> file;
    try {
        file = ReadRegularFile(path, kMaxDocumentFileBytes);
    } catch (const FileReadError& error) {
        throw DocumentReadError(error.what());
    } catch (const std::bad_alloc&) {
        throw DocumentReadError("not enough memory to read \"" + path + "\"");
    }
    if (!HasCompoundFileSignature(file)) return file;
    try {
        const CompoundFileReader reader(file);
        return reader.ReadStream(kContentsStream).value_or(std::vector<std::uint8_t>{});
    } catch (const CompoundFileError& error) {
        throw DocumentReadError("\"" + path + "\" is a damaged compound file: " + error.what());
    }
}

std::vector<std::uint8_t> DocumentFileBytes(std::span<const std::uint8_t> contents) {
    return WriteCompoundFile(kDocumentClassId, kContentsStream, contents);
}

void WriteDocumentFile(const std::string& path, std::span<const std::uint8_t> contents) {
    try {
        ReplaceFileSafely(path, DocumentFileBytes(contents));
    } catch (const FileWriteError& error) {
        throw DocumentWriteError(error.what());
    } catch (const CompoundFileError& error) {
        throw DocumentWriteError("cannot save \"" + path + "\": " + error.what());
    } catch (const std::bad_alloc&) {
        throw DocumentWriteError("not enough memory to save \"" + path + "\"");
    }
}

}  // namespace lutaris
