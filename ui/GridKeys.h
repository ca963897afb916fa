#pragma once

#include <Qt>

namespace ui {

// Keys that only modify others or toggle a lock: releasing one of them on a grid opens no cell.
inline bool isModifierOrLockKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock: return true;
    default: return false;
    }
}

} // namespace ui
