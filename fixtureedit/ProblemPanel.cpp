#include "fixtureedit/ProblemPanel.h"

#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int VisibleLines = 5;

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

    m_problems = std::move(problems);
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_list->clear();
    for (const fx::Problem& problem : m_problems) {
        // Names in messages are Latin-1, as the record holds them.
        auto* item = new QListWidgetItem(problem.isError() ? errorIcon : warningIcon,
                                         QString::fromLatin1(fx::describeProblem(problem)));
        item->setToolTip(problem.isError() ? tr("Error") : tr("Warning"));
        m_list->addItem(item);
    }
    if (keep >= 0)
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
    if (row >= 0 && row < int(m_problems.size()))
        emit problemActivated(m_problems[row]);
}

void ProblemPanel::updateTitle()
{
    m_title->setText(QStringLiteral("Problems (%1)").arg(m_problems.size()));
}
