#include "text/text.h"

#include "text/text_builder.h"

namespace vorlo {

Text::Text(std::string_view gbkBytes) {
    TextBuilder builder(gbkBytes.size());
    builder.append(gbkBytes);
    *this = std::move(builder).finish();
}

} // namespace vorlo
