#pragma once

#include "ui/Dialogs.h"

namespace ui {

// The real message boxes and file dialogs.
class QtDialogs : public Dialogs {
public:
    Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons,
               Icon icon = Icon::Question) override;
    void tell(QWidget* parent, const QString& title, const QString& text,
              Icon icon = Icon::Warning) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
};

} // namespace ui
