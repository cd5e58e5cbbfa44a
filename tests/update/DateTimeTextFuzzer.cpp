// Feeds arbitrary texts to the date-time reader under settings chosen by the first input byte.
// Every text is either refused with the conversion error naming it, or gives a valid value whose
// time text reads back to the same value without its milliseconds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/DateSettings.h"
#include "update/DateTimeText.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kFormats[] = {"yyyy-MM-dd", "dd.MM.yyyy", "M/d/yyyy"};
    static const char* const kDateSeparators[] = {"-", ".", "/", " ", "年"};
    static const char* const kTimeSeparators[] = {":", ".", "时"};
    static const char* const kDecimalSeparators[] = {".", ","};
    const std::uint8_t choice = data[0];
    const host::DateSettings settings =
        host::MakeDateSettings(kFormats[choice % 3], kDateSeparators[(choice / 3) % 5],
                               kTimeSeparators[(choice / 15) % 3], kDecimalSeparators[(choice / 45) % 2]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    update::DateTime value;
    try {
        value = update::ParseDateTimeText(text, settings);
    } catch (const update::DateTimeConversionError& error) {
        // what() is a C string: a NUL in the text ends the message there.
        const std::string message = "'" + std::string(text) + "' is not a valid date and time";
        if (std::string(error.what()) != message.substr(0, message.find('\0'))) std::abort();
        return 0;
    }
    if (!update::IsValidDateTime(value)) std::abort();

    const host::DateSettings enforced = host::MakeDateSettings("yyyy-MM-dd", "-", settings.timeSeparator, ".");
    update::DateTime whole = value;
    whole.millisecond = 0;
    if (update::ParseDateTimeText(update::FormatTimeText(value, enforced), enforced) != whole) std::abort();
    return 0;
}
