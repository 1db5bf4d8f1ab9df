#include "app/compiler_output.h"

#include <QStringDecoder>

#include "app/qt_text.h"

namespace quillet {

QString decodeOutput(const std::string& bytes) {
    QString text;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(at, end - at);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8(QByteArray::fromStdString(line));
        text += utf8.hasError() ? fromText(line) : decoded;
        at = end;
    }
    return text;
}

}  // namespace quillet
