#include "app/qt_text.h"

#include "text/encoding.h"

namespace quillet {

Text toText(const QString& string) {
    const auto* units = reinterpret_cast<const char16_t*>(string.utf16());
    return unitsToAnsi(std::u16string_view(units, static_cast<std::size_t>(string.size())));
}

QString fromText(const Text& text) {
    const std::u16string units = ansiToUnits(text);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

std::string fileSystemPath(const Text& path) {
    return bytesToText(ansiToUtf8(path));
}

}  // namespace quillet
