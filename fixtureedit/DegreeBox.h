#pragma once

#include <QLineEdit>

#include <cstdint>

// Text4 and Text2: a maximum pan or tilt degree, 0 to 720, in a three-character box. Every change
// is read as a number (a leading number is taken, "12a" is 12, no number is 0); above 720 it
// becomes 0; the box then shows the number and the degree takes it. A negative entry is refused:
// the box goes back to its last value.
class DegreeBox : public QLineEdit {
    Q_OBJECT
public:
    DegreeBox(std::int16_t& degree, const QString& objectName, QWidget* parent = nullptr);

    static constexpr int MaxDegree = 720;

    // Shows value (as it would be stored) and stores it, as a change of the text does.
    void showDegree(int value);
    // The box's design text, shown without touching the degree.
    void showDesignText();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void textChangedByUser(const QString& text);

    std::int16_t& m_degree;
    QString m_lastText;
};
