#include "app/main_window.h"

#include "app/about_window.h"
#include "app/coefficient_list_model.h"
#include "app/decimal_point.h"
#include "app/evaluation_window.h"
#include "app/help_window.h"
#include "app/listing_delegate.h"
#include "app/maker.h"
#include "app/plot_window.h"
#include "app/spec_panel.h"
#include "app/toolkit/named.h"
#include "app/toolkit/toolkit_application.h"
#include "app/toolkit/window_placement.h"
#include "commands/command_states.h"
#include "setup/overview.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTableWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace tavex {

namespace {

QFont Verdana()
{
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont CourierNew()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

MainWindow::MainWindow(DecimalSeparatorSetting& decimalSetting, std::string savedDecimalSep,
                       NumberFormat numberFormat, QWidget* parent)
    : QMainWindow(parent)
    , decimalSetting_(decimalSetting)
    , numberFormat_(std::move(numberFormat))
{
    session_.savedDecimalSep = std::move(savedDecimalSep);
    setObjectName(QStringLiteral("frmTavex"));
    statusBar()->setObjectName(QStringLiteral("staMessage"));
    statusBar()->setAccessibleName(QStringLiteral("Messages"));
    // On a screen too small for the window its controls scroll rather than being cut.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrMain"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    scroll_->horizontalScrollBar()->setAccessibleName(QStringLiteral("Horizontal"));
    scroll_->verticalScrollBar()->setAccessibleName(QStringLiteral("Vertical"));
    setCentralWidget(scroll_);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && form_ && form_->isAncestorOf(now))
            scroll_->ensureWidgetVisible(now);
    });
    BuildControls();
    BuildMenus();
    LayOut();
    resize(860, 640);
    SetDesignedTabOrder();
    fieldEvents_ = std::make_unique<FieldEvents>(this);
    ConnectEvents();
    ConnectMenus();
    LoadStep();
    UpdateCommands();
    txtOrder->setFocus();
}

MainWindow::~MainWindow()
{
    // Open windows work on the model and the script host: they go first.
    delete toolWindow_.data();
    delete evaluations_.data();
    delete plot_.data();
}

void MainWindow::ResetWindow()
{
    // The windows of the problem before go when the event loop comes round:
    // the key that asked for this may still be on its way to one of them.
    const bool waited = toolWindow_;
    for (QPointer<QWidget> window : {QPointer<QWidget>(toolWindow_), QPointer<QWidget>(evaluations_.data()),
                                     QPointer<QWidget>(plot_.data())})
        if (window) {
            window->hide();
            window->deleteLater();
        }
    toolWindow_ = nullptr;
    evaluations_ = nullptr;
    plot_ = nullptr;
    if (waited)
        setEnabled(true);
    ++figuresRequest_; // figures still being measured belong to the problem before
    figuresPending_ = false;
    // The field steps watch the controls: they go before them.
    fieldEvents_.reset();
    tabOrder_.reset();
    panels_.clear();
    BuildControls();
    LayOut(); // the form before goes as the new one takes its place
    // Shown now, not when the event loop comes round to it: the focus and the keys go to it at once.
    form_->show();
    SetDesignedTabOrder();
    fieldEvents_ = std::make_unique<FieldEvents>(this);
    ConnectEvents();
    StartScriptHost();
    messageLine_.Say(nullptr, QString());
    txtOrder->setFocus();
}

void MainWindow::BuildControls()
{
    // The scroll area takes it once laid out (LayOut).
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    form_ = central;

    lblOrder = Named<QLabel>("lblOrder", QStringLiteral("Enter # of independent variables:"), central);
    txtOrder = Named<QLineEdit>("txtOrder", QStringLiteral("2"), central);
    txtOrder->setFont(Verdana());
    lblVarNam = Named<QLabel>("lblVarNam",
                              QStringLiteral("Enter the names of the independent variables, separated by commas:"),
                              central);
    txtVarNams = Named<QLineEdit>("txtVarNams", QStringLiteral("x,y"), central);
    txtVarNams->setFont(Verdana());
    lblOrder->setBuddy(txtOrder);
    lblVarNam->setBuddy(txtVarNams);
    txtOrder->setAccessibleName(QStringLiteral("Enter # of independent variables"));
    txtVarNams->setAccessibleName(QStringLiteral("Enter the names of the independent variables, separated by commas"));

    fraSpecs = Named<QGroupBox>("fraSpecs", QStringLiteral("Specs for each variable"), central);
    panels_.push_back(new SpecPanel(0, fraSpecs));
    cmdPrevVar = Named<QPushButton>("cmdPrevVar", QStringLiteral("P&revious"), fraSpecs);
    cmdNextVar = Named<QPushButton>("cmdNextVar", QStringLiteral("&Next"), fraSpecs);

    tblOverview = Named<QTableWidget>("tblOverview", central);
    tblOverview->setColumnCount(static_cast<int>(kOverviewColumns.size()));
    QStringList headers;
    for (const char* header : kOverviewColumns)
        headers << QString::fromLatin1(header);
    tblOverview->setHorizontalHeaderLabels(headers);
    tblOverview->verticalHeader()->hide();
    tblOverview->setCornerButtonEnabled(false);
    tblOverview->horizontalHeader()->setAccessibleName(QStringLiteral("Variables' columns"));
    tblOverview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblOverview->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblOverview->setSelectionMode(QAbstractItemView::SingleSelection);
    tblOverview->setAccessibleName(QStringLiteral("Variables"));
    tblOverview->setToolTip(QStringLiteral("Every variable at a glance; choose a row to show its panel"));
    tblOverview->horizontalHeader()->setStretchLastSection(true);
    tblOverview->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    tblOverview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    cmdEditFun = Named<QPushButton>("cmdEditFun", QStringLiteral("Edit &function"), central);
    cmdCompute = Named<QPushButton>("cmdCompute", QStringLiteral("&Compute"), central);
    cmdCompute->setToolTip(QStringLiteral("Compute coefficients"));
    lstCoeff = Named<QListView>("lstCoeff", central);
    lstCoeff->setFont(CourierNew());
    lstCoeff->setToolTip(QStringLiteral("Coefficients"));
    lstCoeff->setAccessibleName(QStringLiteral("Coefficients"));
    // Millions of lines of one height; their trailing blanks are cut, not elided.
    lstCoeff->setUniformItemSizes(true);
    lstCoeff->setTextElideMode(Qt::ElideNone);
    lstCoeff->setItemDelegate(new ListingDelegate(lstCoeff));
    lstCoeff->setEditTriggers(QAbstractItemView::NoEditTriggers);
    coeffLines = new CoefficientListModel(lstCoeff);
    lstCoeff->setModel(coeffLines);
    lblFit = Named<QLabel>("lblFit", central);
    lblFit->setWordWrap(true);
    lblFit->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFit->setAccessibleName(QStringLiteral("Fit"));
    lblFit->hide();
    cmdEvaluations = Named<QPushButton>("cmdEvaluations", QStringLiteral("&Evaluations"), central);
    cmdEvaluations->setEnabled(false);
    cmdPlot = Named<QPushButton>("cmdPlot", QStringLiteral("&Plot"), central);
    cmdPlot->setToolTip(QStringLiteral("Plot the approximation against the table"));
    cmdPlot->setEnabled(false);
    cmdExit = Named<QPushButton>("cmdExit", QStringLiteral("E&xit"), central);

    // Buttons take the focus on click, as the check of the field left behind expects.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setFocusPolicy(Qt::StrongFocus);
}

void MainWindow::BuildMenus()
{
    // Alt+F belongs to Edit function: the menu takes the l of File.
    QMenu* file = menuBar()->addMenu(QStringLiteral("Fi&le"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = file->addAction(QStringLiteral("&New"));
    mnuNew->setShortcut(QKeySequence::New);
    mnuOpen = file->addAction(QStringLiteral("&Open"));
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuRecent = file->addMenu(QStringLiteral("Open &recent"));
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuImport = file->addAction(QStringLiteral("&Import table..."));
    file->addSeparator();
    mnuSave = file->addAction(QStringLiteral("&Save"));
    mnuSave->setShortcut(QKeySequence::Save);
    mnuSaveAs = file->addAction(QStringLiteral("Save &As"));
    // Desktops without a Save As key of their own get the common one.
    const QKeySequence saveAs(QKeySequence::SaveAs);
    mnuSaveAs->setShortcut(saveAs.isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) : saveAs);
    mnuExport = file->addAction(QStringLiteral("&Export coefficients..."));
    mnuExport->setEnabled(false);
    file->addSeparator();
    mnuPrint = file->addAction(QStringLiteral("&Print"));
    mnuPrint->setShortcut(QKeySequence::Print);
    // The shortcuts work wherever the focus is in the window, menus closed,
    // and in the windows beside it (ShareFileShortcuts).
    addActions(FileShortcuts());
    mnuHelp = menuBar()->addAction(QStringLiteral("&Help"));
    mnuAbout = menuBar()->addAction(QStringLiteral("&About"));

    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuImport->setObjectName(QStringLiteral("mnuImport"));
    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSaveAs->setObjectName(QStringLiteral("mnuSaveAs"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

void MainWindow::LayOut()
{
    // The panels lie on top of each other, one shown at a time, so every
    // variable's controls and the buttons below them keep their places.
    auto* specs = new QVBoxLayout(fraSpecs);
    panelStack_ = new QStackedLayout;
    panelStack_->addWidget(panels_.front());
    specs->addLayout(panelStack_);
    auto* walk = new QHBoxLayout;
    walk->addWidget(cmdPrevVar);
    walk->addWidget(cmdNextVar);
    specs->addLayout(walk);
    specs->addStretch(1);

    auto* shape = new QGridLayout;
    shape->addWidget(lblOrder, 0, 0);
    shape->addWidget(txtOrder, 0, 1);
    shape->setColumnStretch(2, 1);
    txtOrder->setMaximumWidth(txtOrder->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));

    auto* listing = new QVBoxLayout;
    listing->addWidget(lstCoeff, 1);
    listing->addWidget(lblFit);
    auto* middle = new QHBoxLayout;
    middle->addWidget(fraSpecs, 0);
    middle->addLayout(listing, 1);
    tblOverview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdEditFun);
    commands->addWidget(cmdCompute);
    commands->addWidget(cmdEvaluations);
    commands->addWidget(cmdPlot);
    commands->addStretch(1);
    commands->addWidget(cmdExit);

    auto* whole = new QVBoxLayout(form_);
    whole->addLayout(shape);
    whole->addWidget(lblVarNam);
    whole->addWidget(txtVarNams);
    whole->addLayout(middle, 1);
    whole->addWidget(tblOverview);
    whole->addLayout(commands);
    scroll_->setWidget(form_);
}

void MainWindow::SetDesignedTabOrder()
{
    const SpecPanel& first = *panels_.front();
    tabOrder_ = std::make_unique<TabOrder>(std::vector<QWidget*>{
        txtOrder, txtVarNams, first.txtLL(), first.txtUL(), first.txtExpansion(), first.txtPeriod(),
        first.txtTerms(), first.chkSpaced(), first.chkPower(), cmdEditFun, cmdCompute, cmdEvaluations, cmdPlot, cmdExit,
        cmdNextVar, cmdPrevVar, lstCoeff, first.cmdEditVars(), first.cmdAddVars(), tblOverview});
}

void MainWindow::LoadStep()
{
    session_.startDir = QDir::currentPath().toStdString();
    StartScriptHost();
    session_.curVarNo = 1;
    // The value lists and tables already hold one zero element each; Save,
    // Save As and Print wait for the names (UpdateCommands).
}

void MainWindow::ConnectEvents()
{
    fieldEvents_->SelectAllOnFocus(txtOrder);
    fieldEvents_->SetValidate(txtOrder, [this] { return ValidateOrder(); });
    fieldEvents_->SetLostFocus(txtOrder, [this] { OrderLostFocus(); });
    fieldEvents_->SelectAllOnFocus(txtVarNams);
    fieldEvents_->SetValidate(txtVarNams, [this] { return ValidateVarNams(); });
    fieldEvents_->SetLostFocus(txtVarNams, [this] { VarNamsLostFocus(); });
    ConnectPanelEvents(panels_.front());

    connect(cmdNextVar, &QPushButton::clicked, this, [this] { NextVar(); });
    connect(cmdPrevVar, &QPushButton::clicked, this, [this] { PrevVar(); });
    connect(tblOverview, &QTableWidget::cellClicked, this, [this](int row, int) { OverviewChosen(row); });
    connect(tblOverview, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (row != previous)
            OverviewChosen(row);
    });
    connect(cmdCompute, &QPushButton::clicked, this, [this] { ComputeCommand(); });
    connect(cmdEditFun, &QPushButton::clicked, this, [this] { ReviewFunction(); });
    connect(cmdEvaluations, &QPushButton::clicked, this, [this] { ShowEvaluations(); });
    connect(cmdPlot, &QPushButton::clicked, this, [this] { ShowPlot(); });
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::ConnectMenus()
{
    connect(mnuNew, &QAction::triggered, this, [this] { NewCommand(); });
    connect(mnuOpen, &QAction::triggered, this, [this] { OpenCommand(); });
    connect(mnuRecent, &QMenu::aboutToShow, this, [this] { UpdateRecentMenu(); });
    connect(mnuImport, &QAction::triggered, this, [this] { ImportCommand(); });
    connect(mnuExport, &QAction::triggered, this, [this] { ExportCommand(); });
    connect(mnuSave, &QAction::triggered, this, [this] { SaveCommand(); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { SaveAsCommand(); });
    connect(mnuPrint, &QAction::triggered, this, [this] { PrintCommand(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { ShowAbout(this); });
    // F1 from any window: Help at that window's section.
    ToolkitApplication::Instance()->SetHelpOpener(this, [this](const QString& anchor) {
        ShowHelp(HelpFilePath(QString::fromStdString(session_.startDir), QCoreApplication::applicationDirPath()), this,
                 anchor);
    });
    connect(mnuHelp, &QAction::triggered, this, [this] {
        ShowHelp(HelpFilePath(QString::fromStdString(session_.startDir), QCoreApplication::applicationDirPath()), this);
    });
}

QList<QAction*> MainWindow::FileShortcuts() const
{
    return {mnuNew, mnuOpen, mnuSave, mnuSaveAs, mnuPrint};
}

void MainWindow::ShareFileShortcuts(QWidget* window) const
{
    window->addActions(FileShortcuts());
}

void MainWindow::UpdateCommands()
{
    const command::CommandStates states = command::AvailableCommands(model_, session_);
    mnuNew->setEnabled(states.newProblem);
    mnuOpen->setEnabled(states.open);
    mnuRecent->setEnabled(states.open && !recent_.Paths().isEmpty());
    mnuImport->setEnabled(states.importTable);
    mnuSave->setEnabled(states.save);
    mnuSaveAs->setEnabled(states.save);
    mnuPrint->setEnabled(states.print);
    mnuExport->setEnabled(states.exportCoefficients);
    mnuAbout->setVisible(states.about);
    // The names box first: a count box that loses the focus by being
    // disabled then finds the names settled.
    txtVarNams->setEnabled(states.namesBox);
    txtOrder->setEnabled(states.countBox);
    cmdEvaluations->setEnabled(states.evaluations);
    cmdPlot->setEnabled(states.plot);

    // Coefficients of the problem as it was stay readable, greyed.
    QPalette listing = lstCoeff->palette();
    listing.setColor(QPalette::Active, QPalette::Text,
                     states.listingOutOfDate ? listing.color(QPalette::Disabled, QPalette::Text)
                                             : palette().color(QPalette::Active, QPalette::Text));
    listing.setColor(QPalette::Inactive, QPalette::Text, listing.color(QPalette::Active, QPalette::Text));
    lstCoeff->setPalette(listing);
    lstCoeff->setAccessibleDescription(states.listingOutOfDate ? QStringLiteral("out of date") : QString());
    ShowFitLine();
    UpdateOverview();
    UpdateTitle();
    if (evaluations_)
        evaluations_->ResultsChanged();
    if (plot_)
        plot_->ResultsChanged();
}

void MainWindow::UpdateTitle()
{
    setWindowTitle(ProblemName() + QStringLiteral("[*] - Tavex (Tabulated)  ")
                   + QString::fromLatin1(kMakerWebAddress));
    setWindowModified(model_.IsModified());
}

QString MainWindow::ProblemName() const
{
    return session_.problemFile.empty() ? QStringLiteral("Untitled")
                                        : QFileInfo(QString::fromStdString(session_.problemFile)).fileName();
}

QString MainWindow::MessageLineText() const
{
    return statusBar()->currentMessage();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Place();
    }
}

bool MainWindow::event(QEvent* event)
{
    // Placed within a frame guessed at; once the window manager has framed it, its own frame decides.
    const QEvent::Type type = event->type();
    if (placed_ && !framed_ && (type == QEvent::Paint || type == QEvent::WindowActivate)
        && frameGeometry() != geometry()) {
        framed_ = true;
        if (!screen()->availableGeometry().contains(frameGeometry()))
            QTimer::singleShot(0, this, [this] { Place(); });
    }
    return QMainWindow::event(event);
}

void MainWindow::Place()
{
    const QRect inner = geometry(), outer = frameGeometry();
    const QMargins frame = outer != inner ? QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                                      outer.right() - inner.right(), outer.bottom() - inner.bottom())
                                          : QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    setGeometry(PlacedGeometry(QRect(), size(), frame, screen()->availableGeometry(), Placement::Centred,
                               style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    RestoreDecimalSeparator(decimalSetting_, session_.savedDecimalSep);
    event->accept();
    // Every other window goes with this one.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
}

} // namespace tavex
