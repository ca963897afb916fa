#include "fixtureedit/DegreeBox.h"

#include "ui/Latin1Validator.h"
#include "ui/NumberText.h"

#include <QFocusEvent>
#include <QSignalBlocker>

#include <cmath>

DegreeBox::DegreeBox(const QString& objectName, QWidget* parent) : QLineEdit(parent)
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

int DegreeBox::degree() const
{
    const double read = numtext::leadingNumber(text());
    return read < 0.0 || read > MaxDegree ? 0 : static_cast<int>(std::nearbyint(read));
}

void DegreeBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Entered from the keyboard the whole text is selected, so that typing replaces "000" even
    // at the box's three-character limit; a click puts the caret at the end.
    if (event->reason() == Qt::MouseFocusReason)
        setCursorPosition(static_cast<int>(text().size()));
    else
        selectAll();
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
    const int value = read > MaxDegree ? 0 : static_cast<int>(std::nearbyint(read));
    showDegree(value);
    emit degreeEdited(value);
}
