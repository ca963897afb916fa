#include "ui/NumberText.h"

#include <QByteArray>

#include <cmath>
#include <limits>
#include <string>

namespace numtext {

double leadingNumber(const QString& text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += static_cast<char>(text[i++].unicode());
    const auto takeDigits = [&] {
        int taken = 0;
        while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            number += static_cast<char>(text[i++].unicode());
            ++taken;
        }
        return taken;
    };
    int digits = takeDigits();
    if (i < n && text[i] == u'.') {
        number += '.';
        ++i;
        digits += takeDigits();
    }
    if (digits == 0)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        // Only an exponent with digits belongs to the number.
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && text[j].unicode() >= '0' && text[j].unicode() <= '9') {
            number += 'e';
            i = i + 1;
            if (text[i] == u'+' || text[i] == u'-')
                number += static_cast<char>(text[i++].unicode());
            takeDigits();
        }
    }
    bool ok = false;
    const double value = QByteArray::fromStdString(number).toDouble(&ok);
    if (ok && std::isfinite(value))
        return value;
    // Beyond the range of a double: too small is 0; too large keeps its sign, so that range
    // checks still refuse it.
    if (number.find("e-") != std::string::npos)
        return 0.0;
    return number[0] == '-' ? -std::numeric_limits<double>::max()
                            : std::numeric_limits<double>::max();
}

int dmxValue(const QString& text)
{
    // Fractions round to the nearest whole number, halves to the even one; anything outside
    // 0..255 then (negative, too large, not a number) is 0.
    const double v = std::nearbyint(leadingNumber(text));
    if (!(v >= 0.0 && v <= 255.0))
        return 0;
    return static_cast<int>(v);
}

QString withSignBlank(int n)
{
    return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n);
}

} // namespace numtext
