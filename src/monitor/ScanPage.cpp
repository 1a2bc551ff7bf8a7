#include "monitor/ScanPage.h"

#include "monitor/MonitorSetup.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ScanModel.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace texts = monitor_texts;

ScanPage::ScanPage(ScanModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    m_from = new QSpinBox(this);
    m_from->setRange(1, 255);
    m_to = new QSpinBox(this);
    m_to->setRange(1, 255);
    m_timeout = new QSpinBox(this);
    m_timeout->setRange(10, 60000);
    m_timeout->setSuffix(texts::MsSuffix);
    m_hbx = new QCheckBox(QStringLiteral("HBX"), this);
    m_progress = new QProgressBar(this);
    m_found = new QLabel(this);
    m_table = new QTableView(this);
    m_table->setModel(model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(ScanModel::Reply, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    m_add =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), texts::AddToTargets, this);

    auto* addAction = new QAction(texts::AddToTargets, m_table);
    m_table->addAction(addAction);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(texts::ScanFromLabel, this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(texts::ScanToLabel, this));
    range->addWidget(m_to);
    range->addWidget(new QLabel(texts::TimeoutLabel, this));
    range->addWidget(m_timeout);
    range->addWidget(m_hbx);
    range->addStretch(1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(m_progress, 1);
    progress->addWidget(m_found);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_add);
    auto* column = new QVBoxLayout(this);
    column->addLayout(range);
    column->addLayout(progress);
    column->addWidget(m_table, 1);
    column->addLayout(bottom);

    connect(m_add, &QPushButton::clicked, this, &ScanPage::emitChosen);
    connect(addAction, &QAction::triggered, this, &ScanPage::emitChosen);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        emit addToTargets({m_model->address(index.row())});
    });
    setRange(1, 255, 300, false);
    setProgress(0, 1);
    setFoundCount(0);
}

QString ScanPage::title() const
{
    return texts::PageScan;
}

QKeySequence ScanPage::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_4);
}

void ScanPage::saveSettings(QSettings& settings) const
{
    settings.setValue(QStringLiteral("scan/from"), from());
    settings.setValue(QStringLiteral("scan/to"), to());
    settings.setValue(QStringLiteral("scan/timeout"), timeoutMs());
    settings.setValue(QStringLiteral("scan/hbx"), hbx());
}

void ScanPage::restoreSettings(QSettings& settings)
{
    setRange(settings.value(QStringLiteral("scan/from"), 1).toInt(),
             settings.value(QStringLiteral("scan/to"), 255).toInt(),
             settings.value(QStringLiteral("scan/timeout"), 300).toInt(),
             settings.value(QStringLiteral("scan/hbx"), false).toBool());
}

diagnosis::ScanPlan ScanPage::plan(const MonitorSetup& setup) const
{
    diagnosis::ScanPlan plan;
    plan.port = setup.port.trimmed();
    plan.settings = setup.lineSettings;
    plan.from = std::min(from(), to());
    plan.to = std::max(from(), to());
    plan.timeoutMs = timeoutMs();
    plan.hbx = hbx();
    plan.checkField = setup.checkField;
    return plan;
}

void ScanPage::startScan(const diagnosis::ScanPlan& plan)
{
    m_scanHbx = plan.hbx;
    m_model->clear();
    setFoundCount(0);
    setProgress(0, plan.to - plan.from + 1);
}

void ScanPage::addHit(const diagnosis::ScanHit& hit)
{
    m_model->addHit(hit, m_scanHbx);
    setFoundCount(m_model->rowCount());
}

int ScanPage::from() const
{
    return m_from->value();
}
int ScanPage::to() const
{
    return m_to->value();
}
int ScanPage::timeoutMs() const
{
    return m_timeout->value();
}
bool ScanPage::hbx() const
{
    return m_hbx->isChecked();
}

void ScanPage::setRange(int from, int to, int timeoutMs, bool hbx)
{
    m_from->setValue(from);
    m_to->setValue(to);
    m_timeout->setValue(timeoutMs);
    m_hbx->setChecked(hbx);
}

void ScanPage::setProgress(int done, int total)
{
    m_progress->setRange(0, std::max(total, 1));
    m_progress->setValue(done);
}

void ScanPage::setFoundCount(int found)
{
    m_found->setText(texts::ScanFound.arg(found));
}

void ScanPage::setRunning(bool running)
{
    for (QWidget* field : {static_cast<QWidget*>(m_from), static_cast<QWidget*>(m_to),
                           static_cast<QWidget*>(m_timeout), static_cast<QWidget*>(m_hbx),
                           static_cast<QWidget*>(m_add)})
        field->setEnabled(!running);
}

void ScanPage::emitChosen()
{
    QList<int> chosen;
    for (const QModelIndex& row : m_table->selectionModel()->selectedRows())
        chosen << m_model->address(row.row());
    std::sort(chosen.begin(), chosen.end());
    emit addToTargets(chosen.isEmpty() ? m_model->addresses() : chosen);
}
