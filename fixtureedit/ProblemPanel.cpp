#include "fixtureedit/ProblemPanel.h"

#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int VisibleLines = 5;
constexpr std::size_t MaxShownLines = 200;

} // namespace

ProblemPanel::ProblemPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ProblemPanel"));
    m_title = new QToolButton(this);
    m_title->setObjectName(QStringLiteral("ProblemTitle"));
    m_title->setCheckable(true);
    m_title->setChecked(true);
    m_title->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_title->setArrowType(Qt::DownArrow);
    m_title->setAutoRaise(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ProblemList"));
    m_list->setAccessibleName(QStringLiteral("Problems"));
    m_list->setUniformItemSizes(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->setFixedHeight(m_list->sizeHintForRow(0) > 0
                               ? m_list->sizeHintForRow(0) * VisibleLines
                               : m_list->fontMetrics().height() * VisibleLines + 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_title, 0, Qt::AlignLeft);
    layout->addWidget(m_list);

    connect(m_title, &QToolButton::toggled, this, &ProblemPanel::setExpanded);
    connect(m_list, &QListWidget::itemActivated, this, &ProblemPanel::activated);
    updateTitle();
}

void ProblemPanel::setProblems(std::vector<fx::Problem> problems)
{
    const int current = m_list->currentRow();
    const fx::Problem* was =
        current >= 0 && current < int(m_problems.size()) ? &m_problems[current] : nullptr;
    int keep = -1;
    for (std::size_t i = 0; was && i < problems.size() && keep < 0; ++i) {
        if (problems[i] == *was)
            keep = int(i);
    }

    if (problems == m_problems)
        return; // most edits change nothing here: the list, its selection and scroll stay
    m_problems = std::move(problems);
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_list->clear();
    // A fixture full of blank steps can have thousands of overlaps: the list shows the first
    // MaxShownLines, so that it never slows an edit down; the title counts them all.
    const std::size_t shown = std::min<std::size_t>(m_problems.size(), MaxShownLines);
    for (std::size_t i = 0; i < shown; ++i) {
        const fx::Problem& problem = m_problems[i];
        // Names in messages are Latin-1, as the record holds them.
        auto* item = new QListWidgetItem(problem.isError() ? errorIcon : warningIcon,
                                         QString::fromLatin1(fx::describeProblem(problem)));
        item->setToolTip(problem.isError() ? tr("Error") : tr("Warning"));
        m_list->addItem(item);
    }
    if (shown < m_problems.size())
        m_list->addItem(tr("... and %1 more").arg(m_problems.size() - shown));
    if (keep >= 0 && std::size_t(keep) < shown)
        m_list->setCurrentRow(keep);
    updateTitle();
}

void ProblemPanel::setExpanded(bool expanded)
{
    m_title->setChecked(expanded);
    m_title->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    m_list->setVisible(expanded);
}

bool ProblemPanel::isExpanded() const
{
    return m_title->isChecked();
}

void ProblemPanel::activated(QListWidgetItem* item)
{
    const int row = m_list->row(item);
    // The "... and N more" line names no place.
    if (row >= 0 && row < int(std::min<std::size_t>(m_problems.size(), MaxShownLines)))
        emit problemActivated(m_problems[std::size_t(row)]);
}

void ProblemPanel::updateTitle()
{
    m_title->setText(QStringLiteral("Problems (%1)").arg(m_problems.size()));
}
