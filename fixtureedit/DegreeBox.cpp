#include "fixtureedit/DegreeBox.h"

#include "ui/Latin1Validator.h"
#include "ui/NumberText.h"

#include <QSignalBlocker>

#include <cmath>

DegreeBox::DegreeBox(std::int16_t& degree, const QString& objectName, QWidget* parent)
    : QLineEdit(parent), m_degree(degree)
{
    setObjectName(objectName);
    setMaxLength(3);
    setValidator(new ui::Latin1Validator(this));
    showDesignText();
    connect(this, &QLineEdit::textChanged, this, &DegreeBox::textChangedByUser);
}

void DegreeBox::showDegree(int value)
{
    if (value < 0 || value > MaxDegree)
        value = 0;
    m_degree = static_cast<std::int16_t>(value);
    m_lastText = QString::number(value);
    const QSignalBlocker block(this);
    setText(m_lastText);
    setCursorPosition(static_cast<int>(text().size()));
}

void DegreeBox::showDesignText()
{
    m_lastText = QStringLiteral("000");
    const QSignalBlocker block(this);
    setText(m_lastText);
}

void DegreeBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    setCursorPosition(static_cast<int>(text().size()));
}

void DegreeBox::textChangedByUser(const QString& text)
{
    const double read = numtext::leadingNumber(text);
    if (read < 0.0) {
        // Degrees are never negative; the file could not keep them.
        const QSignalBlocker block(this);
        setText(m_lastText);
        setCursorPosition(static_cast<int>(m_lastText.size()));
        return;
    }
    showDegree(read > MaxDegree ? 0 : static_cast<int>(std::nearbyint(read)));
}
