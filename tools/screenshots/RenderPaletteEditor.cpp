// Renders the palette editor while an entry is being edited, for the documentation:
//   render_palette_editor docs/palette-editor.png [viewing]
// With "viewing" the entry is closed again before the picture is taken.
#include "tests/paletteedit/PaletteEditHarness.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_palette_editor OUTPUT.png");
        return 2;
    }

    PaletteEditHarness h(16, 16);
    const char* names[] = {"Dimmer", "Shutter", "Pan",      "Pan fine", "Tilt",  "Tilt fine",
                           "Colour", "Gobo",    "Gobo rot", "Prism",    "Focus", "Zoom",
                           "Iris",   "Frost",   "Speed",    "Control"};
    auto fixture = std::make_unique<fx::FixtureRecord>(*h.record);
    fx::FixtureRecord& r = *fixture;
    for (int k = 0; k < 16; ++k)
        r.Channels[k].ChName.assign(names[k]);
    r.PalName[0] = fx::PaletteName::fromText("Looks");
    const char* entries[] = {"Open", "Red", "Blue", "Narrow"};
    for (int e = 0; e < 4; ++e)
        r.PalEntryName[0][e] = fx::PaletteName::fromText(entries[e]);
    for (int k : {0, 1, 6, 7, 10, 11})
        r.PalChannelUsed[0][k] = 1;
    const int red[] = {255, 255, 0, 0, 0, 0, 96, 0, 0, 0, 140, 60};
    for (int k = 0; k < 12; ++k)
        r.PalValue[0][1][k] = static_cast<std::uint8_t>(red[k]);
    fx::UpdatePaletteUse(r);
    h.document.replace(r);

    if (!h.open())
        qWarning("the window did not become active");
    h.click(h.entryButton(1));
    h.setSliderValue(11, 200);
    if (argc > 2 && qstrcmp(argv[2], "viewing") == 0)
        h.click(h.cancelButton());
    // The size the window opens at; the scroll bars settle once the resize is through.
    h.editor->resize(h.editor->sizeHint());
    QTest::qWait(50);
    if (!h.editor->grab().save(QString::fromLocal8Bit(argv[1]))) {
        qWarning("could not write %s", argv[1]);
        return 1;
    }
    return 0;
}
