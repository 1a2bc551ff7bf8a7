#include "monitor/ParameterPage.h"

#include "diagnosis/ParameterComparison.h"
#include "diagnosis/ParameterRoles.h"
#include "diagnosis/ParameterSetFile.h"
#include "diagnosis/ParameterSetTexts.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ParameterTexts.h"
#include "wire/WireText.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace texts = monitor_texts;

ParameterPage::ParameterPage(std::unique_ptr<SerialLine> line, QWidget* parent)
    : QWidget(parent), m_transfer(std::move(line))
{
    m_address = new QSpinBox(this);
    m_address->setRange(1, 255);
    m_name = new QLineEdit(this);
    m_read = new QPushButton(texts::ParamRead, this);
    m_cancel = new QPushButton(texts::ParamCancel, this);
    m_save = new QPushButton(texts::ParamSave, this);
    m_open = new QPushButton(texts::ParamOpen, this);
    m_write = new QPushButton(texts::ParamWrite, this);
    m_progress = new QProgressBar(this);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_table = new QTableView(this);
    m_table->setModel(&m_model);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(ParameterModel::Reply, QHeaderView::Stretch);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(texts::ParamAddressLabel, this));
    controls->addWidget(m_address);
    controls->addWidget(new QLabel(texts::ParamNameLabel, this));
    controls->addWidget(m_name, 1);
    for (QPushButton* button : {m_read, m_cancel, m_save, m_open, m_write})
        controls->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_progress);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);

    connect(m_read, &QPushButton::clicked, this, &ParameterPage::read);
    connect(m_cancel, &QPushButton::clicked, this, &ParameterPage::cancel);
    connect(m_save, &QPushButton::clicked, this, &ParameterPage::save);
    connect(m_open, &QPushButton::clicked, this, &ParameterPage::openAndCompare);
    connect(m_write, &QPushButton::clicked, this, &ParameterPage::writeDifferences);
    connect(&m_transfer, &diagnosis::ParameterTransfer::settled, this, &ParameterPage::onSettled);
    connect(&m_transfer, &diagnosis::ParameterTransfer::progress, m_progress,
            [this](int done, int total) {
                m_progress->setRange(0, total);
                m_progress->setValue(done);
            });
    connect(&m_transfer, &diagnosis::ParameterTransfer::finished, this, &ParameterPage::onFinished);
    setBusy(false);
}

QString ParameterPage::title() const
{
    return texts::PageParameters;
}

QKeySequence ParameterPage::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_6);
}

void ParameterPage::attach(std::function<MonitorSetup()> setup, std::function<bool()> portBusy,
                           PlatformServices services, OpenDialogFn openDialog)
{
    m_setup = std::move(setup);
    m_portBusy = std::move(portBusy);
    m_services = std::move(services);
    m_openDialog = openDialog ? std::move(openDialog) : [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, texts::ParamOpenTitle, QString(),
                                            texts::ParamFilter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    };
}

diagnosis::TransferPlan ParameterPage::plan() const
{
    const MonitorSetup setup = m_setup ? m_setup() : MonitorSetup{};
    diagnosis::TransferPlan plan;
    plan.port = setup.port;
    plan.settings = setup.lineSettings;
    plan.address = m_address->value();
    plan.channel = setup.channel;
    plan.timeoutMs = setup.timeoutMs;
    plan.checkField = setup.checkField;
    return plan;
}

bool ParameterPage::mayStart()
{
    if (m_transfer.isRunning())
        return false;
    if (m_portBusy && m_portBusy()) {
        m_status->setText(texts::ParamPortBusy);
        return false;
    }
    return true;
}

void ParameterPage::setBusy(bool busy)
{
    m_cancel->setEnabled(busy);
    for (QPushButton* button : {m_read, m_save, m_open, m_write})
        button->setEnabled(!busy);
    m_address->setEnabled(!busy);
}

void ParameterPage::read()
{
    if (!mayStart())
        return;
    QStringList codes = diagnosis::defaultParameterCodes();
    if (const std::optional<diagnosis::ParameterSet>& file = m_model.file()) {
        codes.clear();
        for (const diagnosis::ParameterEntry& entry : file->entries)
            codes << entry.code;
    }
    m_model.startReading(codes);
    m_model.setFile(m_model.file());
    m_writing = false;
    m_progress->setRange(0, int(codes.size()));
    m_progress->setValue(0);
    const diagnosis::TransferPlan p = plan();
    QString refusal;
    if (!m_transfer.startReading(p, codes, &refusal)) {
        m_status->setText(texts::ParamCannotOpen.arg(p.port, refusal));
        return;
    }
    m_status->setText(texts::ParamReading.arg(p.address, 3, 10, QLatin1Char('0')));
    setBusy(true);
}

void ParameterPage::cancel()
{
    m_transfer.stopAfterExchange();
}

void ParameterPage::onSettled(int index)
{
    if (!m_writing) {
        m_model.setReading(m_transfer.readings().at(index));
        return;
    }
    const diagnosis::ParameterWrite& write = m_transfer.writes().at(index);
    m_model.setResult(write.code, diagnosis::writeStatusText(write));
    if (write.readBack) {
        diagnosis::ParameterReading reading;
        reading.code = write.code;
        reading.value = write.readBack;
        reading.outcome = diagnosis::Outcome::Ok;
        reading.settled = true;
        m_model.setReading(reading);
    }
}

void ParameterPage::onFinished(diagnosis::TransferEnd end)
{
    setBusy(false);
    QString text;
    if (end == diagnosis::TransferEnd::Interrupted)
        text = texts::ParamCancelled;
    else if (end == diagnosis::TransferEnd::PortLost)
        text = texts::ParamPortLost.arg(m_transfer.lostReason());
    if (m_writing) {
        int written = 0, refused = 0, failed = 0;
        for (const diagnosis::ParameterWrite& w : m_transfer.writes()) {
            written += w.status == diagnosis::WriteStatus::Written ||
                       w.status == diagnosis::WriteStatus::WrittenUnchecked;
            refused += w.status == diagnosis::WriteStatus::Refused;
            failed += w.status == diagnosis::WriteStatus::Failed;
            if (w.status == diagnosis::WriteStatus::NotSent)
                m_model.setResult(w.code, paramset_texts::NotSent);
        }
        m_status->setText(texts::ParamWritten.arg(written).arg(refused).arg(failed) +
                          (text.isEmpty() ? QString() : u'；' + text));
        return;
    }
    if (!text.isEmpty()) {
        m_status->setText(text);
        return;
    }
    int missing = 0;
    for (const diagnosis::ParameterReading& r : m_transfer.readings())
        missing += !r.value;
    text = texts::ParamReadDone.arg(m_transfer.readings().size() - missing).arg(missing);
    if (m_model.file())
        text += u'；' + texts::ParamCompared.arg(m_filePath).arg(m_model.differenceCount());
    m_status->setText(text);
}

void ParameterPage::save()
{
    const QList<diagnosis::ParameterReading> readings = m_model.readings();
    const bool allRead =
        !readings.isEmpty() && std::all_of(readings.begin(), readings.end(),
                                           [](const auto& r) { return r.value.has_value(); });
    if (!allRead) {
        m_status->setText(texts::ParamNotAllRead);
        return;
    }
    SaveDialogRequest request;
    request.nameFilters = {texts::ParamFilter};
    request.title = texts::ParamSaveTitle;
    const QString path = m_services.saveDialog ? m_services.saveDialog(this, request) : QString();
    if (path.isEmpty())
        return;
    const diagnosis::TransferPlan p = plan();
    diagnosis::ParameterSet set;
    set.header = {diagnosis::toolName(),
                  QDateTime::currentDateTime(),
                  p.port,
                  p.settings,
                  p.address,
                  p.channel,
                  m_name->text()};
    for (const diagnosis::ParameterReading& r : readings)
        set.entries << diagnosis::ParameterEntry{r.code, diagnosis::parameterText(r.code),
                                                 wire::namedBytes(r.reply),
                                                 QString::fromLatin1(*r.value), 0};
    QString error;
    m_status->setText(diagnosis::saveParameterSet(path, set, &error)
                          ? texts::ParamSaved.arg(path)
                          : paramset_texts::CannotSave.arg(path, error));
}

void ParameterPage::openAndCompare()
{
    if (m_transfer.isRunning() || !m_openDialog)
        return;
    const QString path = m_openDialog(this);
    if (!path.isEmpty())
        openFile(path);
}

void ParameterPage::openFile(const QString& path)
{
    diagnosis::TomlProblem problem;
    const std::optional<diagnosis::ParameterSet> set = diagnosis::loadParameterSet(path, &problem);
    if (!set) {
        m_status->setText(diagnosis::tomlProblemText(path, problem));
        return;
    }
    m_filePath = path;
    m_model.setFile(set);
    m_name->setText(set->header.name);
    read();
}

void ParameterPage::writeDifferences()
{
    const std::optional<diagnosis::ParameterSet>& file = m_model.file();
    if (!file || !mayStart())
        return;
    const QList<diagnosis::ParameterWrite> writes =
        diagnosis::restoreWrites(diagnosis::differencesFrom(*file, m_model.readings()), {});
    if (writes.isEmpty()) {
        m_status->setText(texts::ParamNothingToWrite);
        return;
    }
    QStringList lines;
    for (const diagnosis::ParameterWrite& w : writes)
        lines << texts::ParamConfirmLine.arg(w.code, diagnosis::parameterName(w.code),
                                             QString::fromLatin1(w.before), w.value);
    MessageRequest request;
    request.icon = QMessageBox::Question;
    request.title = texts::Caption;
    request.text = texts::ParamConfirm.arg(m_address->value(), 3, 10, QLatin1Char('0'))
                       .arg(writes.size())
                       .arg(lines.join(u'\n'));
    request.buttons = QMessageBox::Yes | QMessageBox::No;
    request.defaultButton = QMessageBox::No;
    if (!m_services.messageBox || m_services.messageBox(this, request) != QMessageBox::Yes)
        return;
    for (const diagnosis::ParameterWrite& w : writes)
        m_model.setResult(w.code, QString());
    m_writing = true;
    const diagnosis::TransferPlan p = plan();
    QString refusal;
    if (!m_transfer.startWriting(p, writes, &refusal)) {
        m_status->setText(texts::ParamCannotOpen.arg(p.port, refusal));
        return;
    }
    m_progress->setRange(0, int(writes.size()));
    m_progress->setValue(0);
    m_status->setText(texts::ParamWriting.arg(writes.size()));
    setBusy(true);
}
