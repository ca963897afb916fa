// Renders the LED fixture editor with a few channels set, for the documentation:
//   render_led_editor docs/led-editor.png
#include "tests/ledfixture/LedEditorDriver.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_led_editor OUTPUT.png");
        return 2;
    }

    LedEditorDriver ed;
    if (!ed.ready())
        qWarning("the window did not become active");
    ed.nameBox->selectAll();
    QTest::keyClicks(ed.nameBox, "Par RGBW");
    const char* names[] = {"Red", "Green", "Blue", "CoolW", "Dimmer", "Dimmer", "Speed"};
    for (int row = 0; row < 7; ++row)
        ed.pick(row, 1, QString::fromLatin1(names[row]));
    ed.pick(4, 2, QStringLiteral("Fadeable LTP 16bitH"));
    ed.pick(4, 3, QStringLiteral("6"));
    ed.pick(5, 2, QStringLiteral("Fadeable LTP 16bitL"));
    ed.pick(6, 2, QStringLiteral("HTP"));
    // Leave the Type editor of the last channel open.
    ed.click(7, 2);
    if (QComboBox* editor = ed.openEditor())
        LedEditorDriver::chooseByKeys(editor, QStringLiteral("instant LTP"));

    if (!ed.form->grab().save(QString::fromLocal8Bit(argv[1]))) {
        qWarning("could not write %s", argv[1]);
        return 1;
    }
    return 0;
}
