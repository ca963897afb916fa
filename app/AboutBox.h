#pragma once

#include <QIcon>
#include <QString>

class QMenuBar;
class QMessageBox;
class QWidget;

// The About box: the program's version, its licence and where the channel name set in use lives.
namespace about {

// The program's icon: the desktop theme's "fixture-editor" when installed, else the built-in one.
QIcon applicationIcon();

// The box for a program using the name set at chNameSetPath; not shown yet.
QMessageBox* makeAboutBox(QWidget* parent, const QString& chNameSetPath);

// Adds the menu "&Help" with "&About" to bar; the box opens over parent.
void addHelpMenu(QMenuBar* bar, QWidget* parent, const QString& chNameSetPath);

} // namespace about
