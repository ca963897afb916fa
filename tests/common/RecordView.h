#pragma once

// Tests read the fixture document's record as they read a plain record, and set up a fixture by
// changing a copy and handing it to the document as a whole, as an open does.

#include "core/FixtureRecord.h"
#include "ui/Document.h"

#include <functional>
#include <memory>

struct RecordView {
    ui::Document* document;

    const fx::FixtureRecord* operator->() const { return &document->record(); }
    const fx::FixtureRecord& operator*() const { return document->record(); }
    const fx::FixtureRecord* get() const { return &document->record(); }

    // The fixture as setUp leaves it, with a fresh history.
    void setUp(const std::function<void(fx::FixtureRecord&)>& change) const
    {
        auto copy = std::make_unique<fx::FixtureRecord>(document->record());
        change(*copy);
        document->replace(*copy, document->filePath());
    }
};
