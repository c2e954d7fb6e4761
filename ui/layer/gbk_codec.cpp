#include "ui/layer/gbk_codec.h"

#include "text/gbk.h"

#include <string>

namespace vorlo::ui {

QString fromGbk(std::string_view gbkBytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(gbkBytes.size())); // never more characters than bytes
    while (!gbkBytes.empty()) {
        const gbk::Decoded decoded = gbk::decodeFront(gbkBytes);
        text.append(QChar(decoded.character));
        gbkBytes.remove_prefix(decoded.length);
    }
    return text;
}

Text toGbk(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()) * 2); // never more than two per unit
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate()) {
            // A character beyond U+FFFF, or half of one: GBK holds none of them.
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                ++i;
            }
            bytes += '?';
            continue;
        }
        const gbk::Encoded encoded = gbk::encode(c.unicode());
        if (encoded.length == 0) {
            bytes += '?';
        } else {
            bytes.append(encoded.bytes.data(), encoded.length);
        }
    }
    return Text(bytes);
}

} // namespace vorlo::ui
