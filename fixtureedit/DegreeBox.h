#pragma once

#include <QLineEdit>

// Text4 and Text2: a maximum pan or tilt degree, 0 to 720, in a three-character box. Every change
// is read as a number (a leading number is taken, "12a" is 12, no number is 0); above 720 it
// becomes 0; the box then shows the number and reports it. A negative entry is refused: the box
// goes back to its last value. The box holds no degree of its own: the form stores what it
// reports and shows what the record holds.
class DegreeBox : public QLineEdit {
    Q_OBJECT
public:
    DegreeBox(const QString& objectName, QWidget* parent = nullptr);

    static constexpr int MaxDegree = 720;

    // Shows value as the box would take it, reporting nothing.
    void showDegree(int value);
    // The box's design text, "000".
    void showDesignText();
    // The degree the box shows.
    int degree() const;

signals:
    void degreeEdited(int degree);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void textChangedByUser(const QString& text);

    QString m_lastText;
};
