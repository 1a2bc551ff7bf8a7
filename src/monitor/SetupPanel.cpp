#include "monitor/SetupPanel.h"

#include "catalogue/AddressRanges.h"
#include "catalogue/FunctionFields.h"
#include "catalogue/FunctionList.h"
#include "catalogue/InputTexts.h"
#include "catalogue/LineLists.h"
#include "catalogue/ParameterList.h"
#include "monitor/MonitorTexts.h"
#include "widgets/PortBox.h"
#include "wire/NumericText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace texts = monitor_texts;

namespace {

QComboBox* pickList(const QStringList& entries, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems(entries);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

QSpinBox* millisecondsBox(int minimum, int maximum, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setSuffix(texts::MsSuffix);
    box->setAccelerated(true);
    return box;
}

} // namespace

SetupPanel::SetupPanel(QWidget* parent) : QWidget(parent)
{
    m_mode = pickList(texts::Modes, this);
    m_port = makePortBox(this);
    m_port2 = new QLineEdit(this);
    m_port2->setPlaceholderText(texts::Port2Hint);
    m_line = pickList(catalogue::lineSettingEntries(), this);
    m_function = pickList(catalogue::functionEntries(), this);
    m_addresses = new QLineEdit(this);
    m_addresses->setPlaceholderText(texts::AddressesHint);
    m_channel = pickList(catalogue::channelEntries(), this);
    m_parameter = pickList(catalogue::parameterEntries(), this);
    m_value = new QLineEdit(this);
    m_interval = millisecondsBox(0, 3600000, this);
    m_timeout = millisecondsBox(10, 60000, this);
    m_check = new QCheckBox(texts::CheckLabel, this);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setObjectName(QStringLiteral("refusal"));
    // Bold rather than a colour of its own, which would not read in every theme.
    QFont bold = m_message->font();
    bold.setBold(true);
    m_message->setFont(bold);

    m_start = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), texts::Start, this);
    m_stop = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), texts::Stop, this);
    m_scan = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), texts::Scan,
                             this);

    auto* form = new QFormLayout;
    form->addRow(texts::ModeLabel, m_mode);
    form->addRow(texts::PortLabel, m_port);
    form->addRow(texts::Port2Label, m_port2);
    form->addRow(texts::SettingsLabel, m_line);
    form->addRow(texts::FunctionLabel, m_function);
    form->addRow(texts::AddressesLabel, m_addresses);
    form->addRow(texts::ChannelLabel, m_channel);
    form->addRow(texts::ParameterLabel, m_parameter);
    form->addRow(texts::ValueLabel, m_value);
    form->addRow(texts::IntervalLabel, m_interval);
    form->addRow(texts::TimeoutLabel, m_timeout);
    form->addRow(m_check);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_scan);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_message);
    column->addLayout(buttons);
    column->addStretch(1);

    connect(m_function, &QComboBox::activated, this, &SetupPanel::onFunctionChosen);
    connect(m_mode, &QComboBox::currentIndexChanged, this, [this] {
        enableFunctionFields();
        showRefusal();
    });
    connect(m_addresses, &QLineEdit::editingFinished, this, &SetupPanel::showRefusal);
    connect(m_value, &QLineEdit::editingFinished, this, &SetupPanel::showRefusal);
    connect(m_port, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        // A typed "COM3" selects that entry, so its tooltip and menu are the ones shown.
        const int number = monitor::portNumberOf(text);
        if (number > 0 && m_port->currentIndex() != number - 1)
            m_port->setCurrentIndex(number - 1);
        updatePortTip();
        updateButtons();
    });
    connect(m_addresses, &QLineEdit::textEdited, this, &SetupPanel::updateButtons);
    connect(m_value, &QLineEdit::textEdited, this, &SetupPanel::updateButtons);
    connect(m_start, &QPushButton::clicked, this, [this] {
        showRefusal();
        if (refusal().isEmpty())
            emit startRequested(setup());
    });
    connect(m_scan, &QPushButton::clicked, this, [this] {
        showRefusal();
        if (refusal().isEmpty())
            emit scanRequested(setup());
    });
    connect(m_stop, &QPushButton::clicked, this, &SetupPanel::stopRequested);

    setSetup(MonitorSetup{});
}

void SetupPanel::setSetup(const MonitorSetup& setup)
{
    m_mode->setCurrentIndex(setup.listen ? 1 : 0);
    m_port->setCurrentText(setup.port);
    m_port2->setText(setup.port2);
    m_line->setCurrentText(setup.lineSettings);
    m_function->setCurrentIndex(setup.functionIndex);
    m_addresses->setText(setup.addresses);
    m_channel->setCurrentText(setup.channel);
    m_parameter->setCurrentIndex(setup.parameterPosition);
    m_value->setText(setup.value);
    m_interval->setValue(setup.intervalMs);
    m_timeout->setValue(setup.timeoutMs);
    m_check->setChecked(setup.checkField);
    enableFunctionFields();
    updatePortTip();
    showRefusal();
}

MonitorSetup SetupPanel::setup() const
{
    MonitorSetup setup;
    setup.port = m_port->currentText().trimmed();
    setup.lineSettings = m_line->currentText();
    setup.functionIndex = m_function->currentIndex();
    setup.addresses = m_addresses->text().trimmed();
    setup.channel = m_channel->currentText();
    setup.parameterPosition = m_parameter->currentIndex();
    setup.value = m_value->text();
    setup.intervalMs = m_interval->value();
    setup.timeoutMs = m_timeout->value();
    setup.checkField = m_check->isChecked();
    setup.listen = m_mode->currentIndex() == 1;
    setup.port2 = m_port2->text().trimmed();
    return setup;
}

QString SetupPanel::refusal() const
{
    if (m_port->currentText().trimmed().isEmpty())
        return texts::BadPort;
    if (m_mode->currentIndex() == 1)
        return {};
    if (!parseAddressRanges(m_addresses->text()))
        return input_texts::BadAddress;
    if (m_value->isEnabled() && !numeric::isNumber(m_value->text()))
        return input_texts::BadValue;
    return {};
}

void SetupPanel::addAddresses(const QList<int>& addresses)
{
    QList<int> all = parseAddressRanges(m_addresses->text()).value_or(QList<int>{});
    for (int address : addresses) {
        if (!all.contains(address))
            all << address;
    }
    m_addresses->setText(addressRangesText(all));
    showRefusal();
}

void SetupPanel::setRunning(bool running, bool canStop)
{
    m_running = running;
    m_canStop = canStop;
    for (QWidget* field : {static_cast<QWidget*>(m_mode), static_cast<QWidget*>(m_port),
                           static_cast<QWidget*>(m_line), static_cast<QWidget*>(m_timeout),
                           static_cast<QWidget*>(m_check)})
        field->setEnabled(!running);
    enableFunctionFields();
    updateButtons();
}

// By the main window's rule, but for one thing: a read of the process value
// turns the value field off again whatever came before, as no value goes
// into its frame.
void SetupPanel::enableFunctionFields()
{
    const catalogue::FunctionFields fields = catalogue::fieldsOf(
        wire::functionAt(m_function->currentIndex()).value_or(wire::Function::Dc1));
    // Listening, the master chooses what is sent: only the ports are ours.
    const bool polls = !m_running && m_mode->currentIndex() == 0;
    for (QWidget* field : {static_cast<QWidget*>(m_function), static_cast<QWidget*>(m_addresses),
                           static_cast<QWidget*>(m_channel), static_cast<QWidget*>(m_interval)})
        field->setEnabled(polls);
    m_port2->setEnabled(!m_running && !polls);
    m_parameter->setEnabled(polls && fields.parameter);
    m_value->setEnabled(polls && fields.value);
}

void SetupPanel::onFunctionChosen(int position)
{
    enableFunctionFields();
    if (const std::optional<wire::Function> function = wire::functionAt(position)) {
        if (const std::optional<int> parameter =
                catalogue::fieldsOf(*function).preselectedParameter)
            m_parameter->setCurrentIndex(*parameter);
    }
    showRefusal();
}

void SetupPanel::showRefusal()
{
    const QString why = refusal();
    m_message->setText(why);
    m_message->setVisible(!why.isEmpty());
    updateButtons();
}

// The port list keeps its entries' tooltips up to date; a typed path is its own.
void SetupPanel::updatePortTip()
{
    const QString text = m_port->currentText().trimmed();
    if (monitor::portNumberOf(text) == 0)
        m_port->setToolTip(text);
}

void SetupPanel::updateButtons()
{
    const bool valid = refusal().isEmpty();
    m_start->setEnabled(!m_running && valid);
    m_scan->setEnabled(!m_running && m_mode->currentIndex() == 0 &&
                       !m_port->currentText().trimmed().isEmpty());
    m_stop->setEnabled(m_running && m_canStop);
}
