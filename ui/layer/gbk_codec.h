#pragma once

#include "text/text.h"

#include <QString>

#include <string_view>

// The program's texts are GBK bytes; the toolkit's are Unicode. Texts cross here and only here.
namespace vorlo::ui {

// Bytes that are no GBK character, a lead byte cut off at the end among them, read as U+FFFD.
QString fromGbk(std::string_view gbkBytes);

// A character that GBK cannot hold becomes one '?' byte; the rest of the text is kept.
Text toGbk(const QString& text);

} // namespace vorlo::ui
