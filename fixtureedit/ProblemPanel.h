#pragma once

#include "core/FixtureCheck.h"

#include <QMetaType>
#include <QWidget>

#include <vector>

class QListWidget;
class QListWidgetItem;
class QToolButton;

Q_DECLARE_METATYPE(fx::Problem)

// The "Problems" panel below the fixture editor's grids: what the console would get wrong in the
// fixture, one line a problem with an error or warning icon, under a title that counts them and
// folds the list away. Activating a line (double click, Enter) reports its problem so that the
// editor can select the cell it names.
class ProblemPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProblemPanel(QWidget* parent = nullptr);

    // Replaces the list; the line that was current stays current when it is still there.
    void setProblems(std::vector<fx::Problem> problems);
    const std::vector<fx::Problem>& problems() const { return m_problems; }

    void setExpanded(bool expanded);
    bool isExpanded() const;

signals:
    void problemActivated(const fx::Problem& problem);

private:
    void activated(QListWidgetItem* item);
    void updateTitle();

    std::vector<fx::Problem> m_problems;
    QToolButton* m_title = nullptr;
    QListWidget* m_list = nullptr;
};
