// Feeds arbitrary bytes to the form file reader. It must never fill more than the form holds, and
// whatever it reads must write out as a file that reads back to the same objects and writes again
// byte for byte.

#include "forms/form_file.h"
#include "forms/form_image.h"

#include <cstdlib>

namespace {

class QuietHost : public qel::MessageHost {
public:
    qel::Button showMessage(std::string_view, qel::Icon, qel::Buttons buttons) override
    {
        return qel::defaultButton(buttons);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietHost host;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr size_t kCapacity = 20;
    const qel::FormReadResult read = qel::parseFormFile(text, host, kCapacity);
    if (read.objects.size() > kCapacity)
        std::abort();
    if (!read.objects.empty()) {
        const std::string written = qel::formFileText(read.objects);
        const qel::FormReadResult again = qel::parseFormFile(written, host, kCapacity);
        if (!again.complete || qel::formFileText(again.objects) != written)
            std::abort();
    }
    (void)qel::decodeFormImage(std::span(data, size), host);
    return 0;
}
