#include "monitor/TestPage.h"

#include "diagnosis/TestPlanFile.h"
#include "monitor/TestPageTexts.h"
#include "widgets/CertificatePdf.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

namespace texts = testpage_texts;

namespace {

enum Column { Step, Expected, Actual, VerdictColumn, Reason, ColumnCount };

const QString kPlanKey = QStringLiteral("test/plan");
const QString kFolderKey = QStringLiteral("test/folder");
const QString kOperatorKey = QStringLiteral("test/operator");

QString saveFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return file.errorString();
}

} // namespace

TestPage::TestPage(std::unique_ptr<SerialLine> line, QWidget* parent)
    : QWidget(parent), m_run(std::move(line))
{
    m_planName = new QLabel(texts::NoPlan, this);
    m_open = new QPushButton(texts::OpenPlan, this);
    m_folder = new QLineEdit(this);
    m_folder->setPlaceholderText(texts::FolderHint);
    m_operator = new QLineEdit(this);
    m_serial = new QLineEdit(this);
    m_serial->setPlaceholderText(texts::SerialHint);
    QFont big = m_serial->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    m_serial->setFont(big);
    m_start = new QPushButton(texts::Start, this);
    m_stop = new QPushButton(texts::Stop, this);

    // The prompt is a band in the page: the serial field keeps the focus, and
    // the run waits until one of its buttons is pressed.
    m_band = new QFrame(this);
    m_band->setFrameShape(QFrame::StyledPanel);
    m_band->setAutoFillBackground(true);
    m_band->setBackgroundRole(QPalette::ToolTipBase);
    m_promptText = new QLabel(m_band);
    m_promptText->setFont(big);
    m_promptText->setWordWrap(true);
    m_confirm = new QPushButton(texts::Confirm, m_band);
    m_reject = new QPushButton(texts::Reject, m_band);
    for (QPushButton* button : {m_confirm, m_reject})
        button->setFocusPolicy(Qt::NoFocus);
    auto* band = new QHBoxLayout(m_band);
    band->addWidget(m_promptText, 1);
    band->addWidget(m_confirm);
    band->addWidget(m_reject);
    m_band->hide();

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels({texts::ColumnStep, texts::ColumnExpected,
                                        texts::ColumnActual, texts::ColumnVerdict,
                                        texts::ColumnReason});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_verdict = new QLabel(this);
    QFont huge = m_verdict->font();
    huge.setPointSizeF(huge.pointSizeF() * 4);
    huge.setBold(true);
    m_verdict->setFont(huge);
    m_verdict->setAlignment(Qt::AlignCenter);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* planRow = new QHBoxLayout;
    planRow->addWidget(m_planName, 1);
    planRow->addWidget(m_open);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(m_serial, 1);
    unitRow->addWidget(m_start);
    unitRow->addWidget(m_stop);
    auto* form = new QFormLayout;
    form->addRow(texts::PlanLabel, planRow);
    form->addRow(texts::FolderLabel, m_folder);
    form->addRow(texts::OperatorLabel, m_operator);
    form->addRow(texts::SerialLabel, unitRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_band);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_verdict);
    layout->addWidget(m_status);

    connect(m_open, &QPushButton::clicked, this, [this] {
        const QString path = m_openDialog ? m_openDialog(this) : QString();
        if (!path.isEmpty())
            openPlan(path);
    });
    connect(m_serial, &QLineEdit::returnPressed, this, &TestPage::start);
    connect(m_start, &QPushButton::clicked, this, &TestPage::start);
    connect(m_stop, &QPushButton::clicked, this, &TestPage::stop);
    connect(m_confirm, &QPushButton::clicked, this, [this] { answer(true); });
    connect(m_reject, &QPushButton::clicked, this, [this] { answer(false); });
    connect(&m_run, &diagnosis::TestPlanRun::stepFinished, this, &TestPage::onStepFinished);
    connect(&m_run, &diagnosis::TestPlanRun::prompted, this, &TestPage::onPrompt);
    connect(&m_run, &diagnosis::TestPlanRun::finished, this, &TestPage::onFinished);
    setBusy(false);
}

QString TestPage::title() const
{
    return texts::Title;
}

QKeySequence TestPage::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_7);
}

void TestPage::attach(std::function<MonitorSetup()> setup, std::function<bool()> portBusy,
                      OpenDialogFn openDialog)
{
    m_setup = std::move(setup);
    m_portBusy = std::move(portBusy);
    m_openDialog = openDialog ? std::move(openDialog) : [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, texts::OpenTitle, QString(), texts::Filter,
                                            nullptr, QFileDialog::DontUseNativeDialog);
    };
}

void TestPage::saveSettings(QSettings& settings) const
{
    settings.setValue(kPlanKey, m_planPath);
    settings.setValue(kFolderKey, m_folder->text());
    settings.setValue(kOperatorKey, m_operator->text());
}

void TestPage::restoreSettings(QSettings& settings)
{
    m_folder->setText(settings.value(kFolderKey).toString());
    m_operator->setText(settings.value(kOperatorKey).toString());
    const QString plan = settings.value(kPlanKey).toString();
    if (!plan.isEmpty())
        openPlan(plan);
}

bool TestPage::openPlan(const QString& path)
{
    QFile file(path);
    diagnosis::TomlProblem problem{0, file.errorString()};
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    std::optional<diagnosis::TestPlan> plan =
        file.isOpen() ? diagnosis::parseTestPlan(bytes, &problem) : std::nullopt;
    if (!plan) {
        m_status->setText(diagnosis::planProblemText(path, problem));
        return false;
    }
    m_plan = std::move(plan);
    m_planPath = path;
    m_planBytes = bytes;
    m_planName->setText(m_plan->name + QStringLiteral("  (") + QFileInfo(path).fileName() + u')');
    m_status->clear();
    return true;
}

void TestPage::setBusy(bool busy)
{
    for (QWidget* widget : {static_cast<QWidget*>(m_open), static_cast<QWidget*>(m_start),
                            static_cast<QWidget*>(m_folder), static_cast<QWidget*>(m_operator)})
        widget->setEnabled(!busy);
    m_serial->setReadOnly(busy);
    m_stop->setEnabled(busy);
}

void TestPage::start()
{
    if (m_run.isRunning())
        return;
    const QString serial = m_serial->text().trimmed();
    const QString refusal = !m_plan                      ? texts::NeedPlan
                            : serial.isEmpty()           ? texts::NeedSerial
                            : m_folder->text().isEmpty() ? texts::NeedFolder
                            : m_portBusy && m_portBusy() ? texts::PortBusy
                                                         : QString();
    if (!refusal.isEmpty()) {
        m_status->setText(refusal);
        return;
    }
    const MonitorSetup setup = m_setup ? m_setup() : MonitorSetup{};
    m_record = {};
    m_record.planFile = QFileInfo(m_planPath).fileName();
    m_record.planHash = diagnosis::planHash(m_planBytes);
    m_record.started = QDateTime::currentDateTime();
    m_record.operatorName = m_operator->text();
    m_record.unit = serial;
    m_record.port = setup.port;
    m_record.settings = m_plan->settings;

    m_table->setRowCount(int(m_plan->steps.size()));
    for (int row = 0; row < m_plan->steps.size(); ++row) {
        const diagnosis::PlanStep& step = m_plan->steps[row];
        const QStringList cells = {step.name, diagnosis::expectedText(step), {}, {}, {}};
        for (int column = 0; column < ColumnCount; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_verdict->clear();
    m_status->setText(texts::Running);
    setBusy(true);
    m_run.start(*m_plan, setup.port, m_plan->settings);
}

void TestPage::stop()
{
    m_run.stop();
}

void TestPage::onStepFinished(int index)
{
    const diagnosis::StepResult& result = m_run.results()[index];
    m_table->item(index, Actual)->setText(result.actual);
    m_table->item(index, VerdictColumn)->setText(diagnosis::verdictText(result.verdict));
    m_table->item(index, VerdictColumn)
        ->setForeground(result.verdict == diagnosis::Verdict::Pass ? Qt::darkGreen : Qt::red);
    m_table->item(index, Reason)->setText(result.reason);
    m_table->scrollToItem(m_table->item(index, Step));
}

void TestPage::onPrompt(int /*index*/, const QString& text)
{
    m_promptText->setText(texts::PromptHead.arg(text));
    m_band->show();
}

void TestPage::answer(bool confirmed)
{
    m_band->hide();
    m_run.answer(confirmed);
}

void TestPage::onFinished()
{
    m_band->hide();
    setBusy(false);
    if (!m_run.portRefusal().isEmpty()) {
        m_status->setText(texts::PortRefused.arg(m_record.port, m_run.portRefusal()));
        return;
    }
    diagnosis::TestRecord record = diagnosis::recordOf(m_run);
    for (auto field : {&diagnosis::TestRecord::planFile, &diagnosis::TestRecord::planHash,
                       &diagnosis::TestRecord::operatorName, &diagnosis::TestRecord::unit,
                       &diagnosis::TestRecord::port, &diagnosis::TestRecord::settings})
        record.*field = m_record.*field;
    record.started = m_record.started;
    const bool passed = record.overall == diagnosis::Verdict::Pass;
    m_verdict->setText(diagnosis::verdictText(record.overall));
    QPalette palette = m_verdict->palette();
    palette.setColor(QPalette::WindowText, passed ? Qt::darkGreen : Qt::red);
    m_verdict->setPalette(palette);

    const QDir day(
        QDir(m_folder->text()).filePath(record.started.toString(QStringLiteral("yyyy-MM-dd"))));
    const QString stem = day.filePath(diagnosis::recordFileStem(record));
    const QString pdf = stem + QStringLiteral(".pdf");
    const QString xml = stem + QStringLiteral(".xml");
    QString error;
    if (!day.mkpath(QStringLiteral("."))) {
        m_status->setText(texts::CannotSave.arg(day.path(), QString()));
    } else if (!widgets::writeCertificatePdf(record, pdf, &error)) {
        m_status->setText(error);
    } else if (const QString failed = saveFile(xml, diagnosis::junitXml(record));
               !failed.isEmpty()) {
        m_status->setText(texts::CannotSave.arg(xml, failed));
    } else {
        m_status->setText(
            texts::Saved.arg(QDir::toNativeSeparators(pdf), QDir::toNativeSeparators(xml)));
    }
    // Ready for the next unit: a scanner's next serial goes straight in.
    m_serial->clear();
    m_serial->setFocus();
    emit unitDone(pdf, xml);
}
