#include "platform/ObjectDescriptor.h"

namespace lutaris {
namespace {

void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    PutUint32(out, static_cast<std::uint32_t>(value));
}

void PutString(std::vector<std::uint8_t>& out, const std::u16string& text) {
    for (const char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xff));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    out.push_back(0);
    out.push_back(0);
}

std::uint32_t StringBytes(const std::u16string& text) {
    return static_cast<std::uint32_t>(2 * (text.size() + 1));
}

}  // namespace

std::vector<std::uint8_t> ObjectDescriptor::Encode() const {
    // An empty name is left out (offset 0), as the structure allows.
    const std::uint32_t typeOffset = fullUserTypeName.empty() ? 0 : kFixedSize;
    const std::uint32_t typeBytes = fullUserTypeName.empty() ? 0 : StringBytes(fullUserTypeName);
    const std::uint32_t sourceOffset =
        sourceOfCopy.empty() ? 0 : static_cast<std::uint32_t>(kFixedSize) + typeBytes;
    const std::uint32_t sourceBytes = sourceOfCopy.empty() ? 0 : StringBytes(sourceOfCopy);
    const std::uint32_t size = static_cast<std::uint32_t>(kFixedSize) + typeBytes + sourceBytes;

    std::vector<std::uint8_t> out;
    out.reserve(size);
    PutUint32(out, size);
    out.insert(out.end(), classId.bytes.begin(), classId.bytes.end());
    PutUint32(out, drawAspect);
    PutInt32(out, width);
    PutInt32(out, height);
    PutInt32(out, grabX);
    PutInt32(out, grabY);
    PutUint32(out, status);
    PutUint32(out, typeOffset);
    PutUint32(out, sourceOffset);
    if (typeBytes != 0) PutString(out, fullUserTypeName);
    if (sourceBytes != 0) PutString(out, sourceOfCopy);
    return out;
}

}  // namespace lutaris
