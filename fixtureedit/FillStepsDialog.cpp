#include "fixtureedit/FillStepsDialog.h"

#include "core/StepTools.h"
#include "ui/Latin1Validator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* numberBox(const QString& objectName, int min, int max, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

} // namespace

FillStepsDialog::FillStepsDialog(const fx::FixtureRecord& record, int channel, QWidget* parent)
    : QDialog(parent), m_record(record), m_channel(channel)
{
    setObjectName(QStringLiteral("FillStepsDialog"));
    setWindowTitle(QStringLiteral("Fill Steps of Channel %1").arg(channel + 1));

    m_count = numberBox(QStringLiteral("FillCount"), 1, fx::MaxEditableSteps, 1, this);
    m_first = numberBox(QStringLiteral("FillFirst"), 0, 255, 0, this);
    m_last = numberBox(QStringLiteral("FillLast"), 0, 255, 255, this);
    m_pattern = new QLineEdit(QStringLiteral("Step #"), this);
    m_pattern->setObjectName(QStringLiteral("FillPattern"));
    m_pattern->setValidator(new ui::Latin1Validator(m_pattern));
    m_pattern->setToolTip(QStringLiteral("\"#\" is replaced by the step's number; names are cut "
                                         "to 8 characters"));
    m_reason = new QLabel(this);
    m_reason->setObjectName(QStringLiteral("FillReason"));
    m_reason->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Number of steps:"), m_count);
    form->addRow(QStringLiteral("&First value:"), m_first);
    form->addRow(QStringLiteral("&Last value:"), m_last);
    form->addRow(QStringLiteral("&Name pattern:"), m_pattern);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_reason);
    layout->addWidget(m_buttons);

    for (QSpinBox* box : {m_count, m_first, m_last})
        connect(box, &QSpinBox::valueChanged, this, &FillStepsDialog::validate);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    validate();
}

int FillStepsDialog::count() const
{
    return m_count->value();
}

int FillStepsDialog::first() const
{
    return m_first->value();
}

int FillStepsDialog::last() const
{
    return m_last->value();
}

QString FillStepsDialog::pattern() const
{
    return m_pattern->text();
}

std::string FillStepsDialog::latin1Pattern() const
{
    return m_pattern->text().toLatin1().toStdString();
}

void FillStepsDialog::validate()
{
    const std::string reason = fx::fillStepsProblem(m_record, m_channel, count(), first(), last());
    QString text = QString::fromStdString(reason);
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    m_reason->setText(text.isEmpty() ? QString() : text + QLatin1Char('.'));
    m_reason->setVisible(!text.isEmpty());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(reason.empty());
}
