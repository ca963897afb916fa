#include "app/AboutBox.h"

#include "app/BuildInfo.h"

#include <QDir>
#include <QImageReader>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>

// Resources of a static library are linked only when asked for by name.
static void initIconResource()
{
    Q_INIT_RESOURCE(icons);
}

namespace about {

QIcon applicationIcon()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("fixture-editor"));
    if (!themed.isNull())
        return themed;
    // Read as PNG by Qt's own reader: an icon made from a file name would first ask every
    // image-format plugin whether it reads the file, loading them all.
    initIconResource();
    QImageReader reader(QStringLiteral(":/icons/fixture-editor.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

QMessageBox* makeAboutBox(QWidget* parent, const QString& chNameSetPath)
{
    auto* box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setWindowTitle(QStringLiteral("About the fixture library editor"));
    box->setIconPixmap(applicationIcon().pixmap(64, 64));
    // Plain text: a folder name may hold '<' or '&'.
    box->setTextFormat(Qt::PlainText);
    box->setText(QStringLiteral("Fixture library editor %1").arg(QStringLiteral(FIXTURE_VERSION)));
    box->setInformativeText(
        QStringLiteral("Licence: %1\n\nChannel name set in use:\n%2")
            .arg(QStringLiteral(FIXTURE_LICENCE), QDir::toNativeSeparators(chNameSetPath)));
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

void addHelpMenu(QMenuBar* bar, QWidget* parent, const QString& chNameSetPath)
{
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    QAction* action = help->addAction(QStringLiteral("&About"));
    action->setObjectName(QStringLiteral("About"));
    QObject::connect(action, &QAction::triggered, parent, [parent, chNameSetPath] {
        QMessageBox* box = makeAboutBox(parent, chNameSetPath);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

} // namespace about
