#include "common/byte_length.h"

#include "platform/foundation/text_encoding.h"

namespace orval {

std::size_t lengthByBytes(std::string_view text) { return byteLengthInDefaultEncoding(text); }

}  // namespace orval
