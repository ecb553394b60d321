// TextBetween with markers and a start position of the input's own: a switch byte (its low
// bit the direction, the rest a start position from -63 to 63), the start marker, a zero
// byte, the end marker, a zero byte, and the text.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "web/text_between.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    fuzz::FuzzInput input(data, size);
    std::uint8_t const switches = input.TakeByte();
    SearchDirection const direction
        = (switches & 1) != 0 ? SearchDirection::FromTheEnd : SearchDirection::Forward;
    long const start_position = static_cast<std::int8_t>(switches) / 2;
    std::string_view const start_marker = input.TakeField();
    std::string_view const end_marker = input.TakeField();
    std::string_view const text = input.Rest();

    Text const between = TextBetween(text, start_marker, end_marker, direction, start_position);
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(between, text));
    if (!between.empty()) {
        VELMORA_FUZZ_CHECK(between.size() + start_marker.size() + end_marker.size() <= text.size());
    }
    return 0;
}
