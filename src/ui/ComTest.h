#pragma once

#include "protocol/CommandFrames.h"
#include "protocol/ModuleVars.h"
#include "transcript/Transcript.h"
#include "widgets/PlatformServices.h"

#include <QMainWindow>

class ExchangeController;
class InfoCommands;
class LinkLabel;
class PortListControl;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;
class SelectionHandlers;
class SerialLine;
class TranscriptCommands;
class TranscriptPane;

// The one window of the tool. It holds every control under its own name,
// creates the handlers and wires the controls to them in one place; the
// handlers do the work.
class ComTest : public QMainWindow
{
    Q_OBJECT
public:
    ComTest(ModuleVars& vars, SerialLine& line, PlatformServices services,
            QWidget* parent = nullptr);

    Transcript& transcript() { return m_transcript; }

    // "通讯(&S)": tests the value and the address, then sends by ManControl.
    void Mnu开始_Click();
    // "清屏(&C)": empties the transcript.
    void MnuClr_Click();

    // The top band and its selection controls.
    QFrame* Frame2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Combo5 = nullptr; // function
    QComboBox* Combo9 = nullptr; // value
    QComboBox* Combo6 = nullptr; // address
    QComboBox* Combo2 = nullptr; // port
    QComboBox* Combo8 = nullptr; // parameter
    QComboBox* Combo7 = nullptr; // channel
    QComboBox* Combo3 = nullptr; // line settings

    // The lower area: the transcript and the two links.
    QTabWidget* SSTab1 = nullptr;
    TranscriptPane* REC1 = nullptr;
    LinkLabel* Label14 = nullptr;
    LinkLabel* Label15 = nullptr;

    QTimer* Timer2 = nullptr; // reply time-out

    // The menu bar: four commands on the bar itself, then the help menu.
    QAction* Mnu开始 = nullptr;
    QAction* MnuClr = nullptr;
    QAction* MnuPrint = nullptr;
    QAction* MnuSave = nullptr;
    QMenu* Mnu帮助 = nullptr;
    QAction* MnuHelp = nullptr;
    QAction* MnuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTopBand();
    void buildTabArea();
    void buildMenuBar();
    void setKeyboardOrder();
    void createHandlers(SerialLine& line);
    // Every connection of the window's controls, timer and line to the handlers.
    void initActionsConnections(SerialLine& line);
    void ManControl();

    ModuleVars& m_vars;
    PlatformServices m_services;
    Transcript m_transcript;
    SelectionHandlers* m_selectionHandlers = nullptr;
    ExchangeController* m_exchange = nullptr;
    TranscriptCommands* m_transcriptCommands = nullptr;
    InfoCommands* m_infoCommands = nullptr;
    PortListControl* m_portList = nullptr; // Combo2's tooltip and context menu
};
