#pragma once

#include "core/ChNameDocument.h"
#include "core/LedFixtureDocument.h"
#include "ui/UndoDocument.h"

namespace ui {

// The LED fixture editor's and the channel name editor's documents: the core document with its
// undo stack, as the fixture editor has it.
using LedDocument = RecordDocument<fx::LedFixtureDocument, fx::LedEdit>;
using ChNameDocument = RecordDocument<fx::ChNameDocument, fx::ChNameEdit>;

} // namespace ui
