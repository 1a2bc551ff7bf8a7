#include "ui/ComTest.h"

#include "catalogue/FunctionList.h"
#include "catalogue/InputTexts.h"
#include "catalogue/LineLists.h"
#include "catalogue/ParameterList.h"
#include "platform/SerialLine.h"
#include "protocol/TimeoutEntry.h"
#include "ui/ExchangeController.h"
#include "ui/InfoCommands.h"
#include "ui/LinkLabel.h"
#include "ui/SelectionHandlers.h"
#include "ui/TranscriptCommands.h"
#include "ui/TranscriptPane.h"
#include "ui/WindowFonts.h"
#include "ui/WindowLayout.h"
#include "ui/WindowTexts.h"
#include "widgets/PortListControl.h"
#include "widgets/WheelNeedsFocus.h"
#include "wire/NumericText.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

namespace {

constexpr int kPopupMargin = 12; // the open list's frame and the item's own margins
constexpr int kLinkGap = 15;     // between the web link's text and the mail link

void place(QWidget* widget, const layout::Twips& twips)
{
    widget->setGeometry(layout::toPixels(twips));
}

// A caption is at least as large as its text, so that the whole text shows;
// a list placed to its right may cover the blank end of its last character.
template <typename Label>
Label* caption(QWidget* parent, const char* name, const QString& text, const layout::Twips& twips,
               const QColor& colour, const QFont* font = nullptr)
{
    auto* label = new Label(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    if (font)
        label->setFont(*font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QRect rect = layout::toPixels(twips);
    rect.setWidth(std::max(rect.width(), label->sizeHint().width()));
    rect.setHeight(std::max(rect.height(), label->sizeHint().height()));
    label->setGeometry(rect);
    return label;
}

// Lists start with nothing selected: the start-up routine selects the defaults.
QComboBox* list(QWidget* parent, const char* name, const QStringList& entries,
                const layout::Twips& twips, bool editable = false)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setEditable(editable);
    if (editable) {
        // Typed text is taken as typed: no completion from the entries, and
        // Enter does not add the text to the list.
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    box->addItems(entries);
    box->setCurrentIndex(-1);
    WheelNeedsFocus::applyTo(box);
    place(box, twips);
    // The closed box may be too narrow for its longest entry; the open list
    // shows every entry whole.
    int widest = 0;
    for (const QString& entry : entries)
        widest = std::max(widest, box->fontMetrics().horizontalAdvance(entry));
    box->view()->setMinimumWidth(widest + box->view()->verticalScrollBar()->sizeHint().width() +
                                 kPopupMargin);
    return box;
}

} // namespace

ComTest::ComTest(ModuleVars& vars, SerialLine& line, PlatformServices services, QWidget* parent)
    : QMainWindow(parent), m_vars(vars), m_services(std::move(services))
{
    Q_INIT_RESOURCE(window);
    setObjectName(QStringLiteral("ComTest"));
    setWindowTitle(window_texts::Caption);
    setWindowIcon(QIcon(QStringLiteral(":/window/icon.png")));

    auto* client = new QWidget(this);
    client->setFont(fonts::song(fonts::kListPointSize));
    client->setFixedSize(layout::toPixels(layout::kClientWidth),
                         layout::toPixels(layout::kClientHeight));
    setCentralWidget(client);
    buildTopBand();
    buildTabArea();
    buildMenuBar();
    setKeyboardOrder();
    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(kReplyTimeoutMs);
    Timer2->setTimerType(Qt::PreciseTimer); // a coarse timer may tick up to 5% early

    createHandlers(line);
    initActionsConnections(line);
}

void ComTest::createHandlers(SerialLine& line)
{
    m_selectionHandlers =
        new SelectionHandlers(this, {Combo5, Combo6, Combo8, Combo9}, m_services.messageBox);
    m_exchange = new ExchangeController({this, &m_vars, &line, Timer2, REC1, Combo5, Combo8,
                                         m_services.clock, m_services.messageBox});
    m_transcriptCommands = new TranscriptCommands(this, m_transcript, m_services, this);
    // Each link's target is built from what its label shows.
    m_infoCommands = new InfoCommands(this, m_services, Label14->text(), Label15->text(), this);
    m_portList = new PortListControl(Combo2, PortListControl::realServices());
}

void ComTest::initActionsConnections(SerialLine& line)
{
    connect(Mnu开始, &QAction::triggered, this, &ComTest::Mnu开始_Click);
    connect(MnuClr, &QAction::triggered, this, &ComTest::MnuClr_Click);
    connect(MnuSave, &QAction::triggered, m_transcriptCommands, &TranscriptCommands::save);
    connect(MnuPrint, &QAction::triggered, m_transcriptCommands, &TranscriptCommands::print);
    connect(MnuHelp, &QAction::triggered, m_infoCommands, &InfoCommands::help);
    connect(MnuAbout, &QAction::triggered, m_infoCommands, &InfoCommands::about);
    connect(Label14, &LinkLabel::clicked, m_infoCommands, &InfoCommands::openWebLink);
    connect(Label15, &LinkLabel::clicked, m_infoCommands, &InfoCommands::openMailLink);

    connect(Combo5, &QComboBox::currentIndexChanged, m_selectionHandlers,
            &SelectionHandlers::Combo5_Click);

    connect(&line, &SerialLine::notification, m_exchange, &ExchangeController::onNotification);
    connect(Timer2, &QTimer::timeout, m_exchange, &ExchangeController::onReplyTimeout);
    // A line that fails while open has already been closed by the serial
    // service: the pending command ends in its time-out entry and the next send
    // opens the port again, so the exchange needs no word of it; the port
    // list shows the port as lost until then.
    m_portList->watchLine(&line);
}

void ComTest::buildTopBand()
{
    Frame2 = new QFrame(centralWidget());
    Frame2->setObjectName(QStringLiteral("Frame2"));
    place(Frame2, layout::Frame2);

    Image1 = new QLabel(Frame2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/window/band.png")));
    Image1->setScaledContents(true);
    place(Image1, layout::Image1);

    // Captions first, so that each list lies above the end of its caption.
    const QColor red(255, 0, 0);
    Label5 = caption<QLabel>(Frame2, "Label5", window_texts::Label5, layout::Label5, red);
    Label10 = caption<QLabel>(Frame2, "Label10", window_texts::Label10, layout::Label10, red);
    Label7 = caption<QLabel>(Frame2, "Label7", window_texts::Label7, layout::Label7, red);
    Label1 = caption<QLabel>(Frame2, "Label1", window_texts::Label1, layout::Label1, red);
    Label9 = caption<QLabel>(Frame2, "Label9", window_texts::Label9, layout::Label9, red);
    Label8 = caption<QLabel>(Frame2, "Label8", window_texts::Label8, layout::Label8, red);
    Label2 = caption<QLabel>(Frame2, "Label2", window_texts::Label2, layout::Label2, red);
    Label1->setAlignment(Qt::AlignCenter);
    Label2->setAlignment(Qt::AlignCenter);

    Combo5 = list(Frame2, "Combo5", catalogue::functionEntries(), layout::Combo5);
    Combo9 = list(Frame2, "Combo9", {}, layout::Combo9, true);
    Combo9->setEditText(window_texts::ValueBoxStart);
    Combo9->setEnabled(false);
    Combo6 = list(Frame2, "Combo6", catalogue::addressEntries(), layout::Combo6, true);
    Combo6->setEditText(catalogue::addressEntries().at(catalogue::kDefaultAddressPosition));
    Combo2 = list(Frame2, "Combo2", catalogue::portEntries(), layout::Combo2);
    Combo8 = list(Frame2, "Combo8", catalogue::parameterEntries(), layout::Combo8);
    Combo8->setEnabled(false);
    Combo7 = list(Frame2, "Combo7", catalogue::channelEntries(), layout::Combo7);
    Combo3 = list(Frame2, "Combo3", catalogue::lineSettingEntries(), layout::Combo3);
}

void ComTest::buildTabArea()
{
    SSTab1 = new QTabWidget(centralWidget());
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(new QWidget, window_texts::TabCaption);
    place(SSTab1, layout::SSTab1);

    // The pane and the links are placed from the tab control's own corner, the
    // tab header included, and lie above its single, empty page.
    REC1 = new TranscriptPane(m_transcript, SSTab1);
    REC1->setObjectName(QStringLiteral("REC1"));
    place(REC1, layout::REC1);

    // The links use a larger face than the rest of the window.
    const QColor blue(0, 0, 255);
    const QFont linkFont = fonts::song(fonts::kLinkPointSize);
    Label14 = caption<LinkLabel>(SSTab1, "Label14", window_texts::WebAddress, layout::Label14, blue,
                                 &linkFont);
    Label15 = caption<LinkLabel>(SSTab1, "Label15", window_texts::MailAddress, layout::Label15,
                                 blue, &linkFont);
    // At this size the web address is wider than its place: the mail link
    // moves right so that the two never overlap.
    Label15->move(std::max(Label15->x(), Label14->geometry().right() + 1 + kLinkGap), Label15->y());
}

void ComTest::buildMenuBar()
{
    // Always the window's own bar: a desktop-wide menu would move it out of
    // the fixed layout and cannot hold commands that act without a menu.
    menuBar()->setNativeMenuBar(false);
    auto command = [this](const char* name, const QString& text) {
        // An action on the bar itself acts as soon as it is chosen.
        auto* action = menuBar()->addAction(text);
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };
    Mnu开始 = command("Mnu开始", window_texts::MenuStart);
    MnuClr = command("MnuClr", window_texts::MenuClear);
    MnuPrint = command("MnuPrint", window_texts::MenuPrint);
    MnuSave = command("MnuSave", window_texts::MenuSave);

    Mnu帮助 = menuBar()->addMenu(window_texts::MenuHelpMenu);
    Mnu帮助->setObjectName(QStringLiteral("Mnu帮助"));
    MnuHelp = Mnu帮助->addAction(window_texts::MenuHelp);
    MnuHelp->setObjectName(QStringLiteral("MnuHelp"));
    MnuHelp->setShortcut(Qt::Key_F1);
    MnuAbout = Mnu帮助->addAction(window_texts::MenuAbout);
    MnuAbout->setObjectName(QStringLiteral("MnuAbout"));
    MnuAbout->setShortcut(Qt::Key_F9);
}

void ComTest::setKeyboardOrder()
{
    const QWidget* order[] = {Combo5, Combo9, Combo6, Combo8, Combo7, Combo2, Combo3, REC1, SSTab1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
}

void ComTest::Mnu开始_Click()
{
    // The value is tested whatever the function, also where the command carries none.
    if (!numeric::isNumber(Combo9->currentText())) {
        m_services.messageBox(this, applicationNotice(input_texts::BadValue));
        return;
    }
    // A menu command does not take the focus, so the address box may still
    // hold text it has not checked yet.
    if (!m_selectionHandlers->acceptAddress())
        return;
    ManControl();
}

void ComTest::ManControl()
{
    frames::Selection selection;
    selection.functionIndex = Combo5->currentIndex();
    selection.addressText = Combo6->currentText();
    selection.channelText = Combo7->currentText();
    selection.parameterEntry = Combo8->currentText();
    selection.valueBoxText = Combo9->currentText();
    m_exchange->send(selection, Combo2->currentIndex() + 1, Combo3->currentText());
}

void ComTest::MnuClr_Click()
{
    REC1->clearTranscript();
}

void ComTest::closeEvent(QCloseEvent* event)
{
    MessageRequest request;
    request.icon = QMessageBox::Question;
    request.title = window_texts::ExitTitle;
    request.text = window_texts::ExitQuestion;
    request.buttons = QMessageBox::Yes | QMessageBox::No;
    request.defaultButton = QMessageBox::No;
    if (m_services.messageBox(this, request) == QMessageBox::Yes)
        event->accept(); // the last window closes and the program ends
    else
        event->ignore();
}
