#include "ui/Latin1Validator.h"

namespace ui {

bool Latin1Validator::isLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

QValidator::State Latin1Validator::validate(QString& input, int&) const
{
    return isLatin1(input) ? Acceptable : Invalid;
}

} // namespace ui
