#include "ui/layer/gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vorlo::ui {

namespace {

// Code page 936, as the toolkit's ICU converters know it.
constexpr const char* gbkName = "GBK";

} // namespace

// The converters are made once: opening one is far dearer than converting a caption.
QString fromGbk(std::string_view gbkBytes) {
    static QStringDecoder decoder(gbkName, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(gbkBytes.data(), static_cast<qsizetype>(gbkBytes.size())));
}

Text toGbk(const QString& text) {
    static QStringEncoder encoder(gbkName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return Text(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace vorlo::ui
