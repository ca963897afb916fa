#pragma once

#include <QValidator>

namespace ui {

// Refuses any character the files cannot hold (one byte each, Latin-1), whether typed or
// pasted. Give it to every text box and editable list whose text reaches a file.
class Latin1Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;

    static bool isLatin1(const QString& text);
};

} // namespace ui
