#include "app/qt/main_window.h"

#include "app/click_dispatch.h"
#include "app/qt/cookie_mirror.h"
#include "app/qt/gbk_qstring.h"
#include "app/qt/hyperlink_label.h"
#include "app/qt/picture_box.h"
#include "app/qt/qt_form.h"
#include "app/qt/tab_control.h"
#include "app/window_handlers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWindow>

namespace velmora {

namespace {

constexpr int LevelsPerFamily = 5;

Picture PictureOf(Control control)
{
    switch (control) {
    case Control::图片框1:
        return Picture::Hearts;
    case Control::图片框2:
        return Picture::BlueDiamonds;
    case Control::图片框3:
        return Picture::Crowns;
    case Control::图片框4:
        return Picture::SupremeCrowns;
    default:
        return Picture::Busy;
    }
}

// The family shown by a level picture: 1 for 图片框1 (hearts) to 4.
int FamilyOf(Control picture)
{
    return static_cast<int>(picture) - static_cast<int>(Control::图片框1) + 1;
}

QTreeWidget* MakeResultList(std::span<ColumnDefinition const> columns, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    QStringList titles;
    for (auto const& column : columns)
        titles << Utf8ToQString(column.title);
    list->setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        list->setColumnWidth(i, columns[static_cast<std::size_t>(i)].width);
    return list;
}

}

MainWindow::MainWindow(Endpoints endpoints, EventPump& pump, Desktop& desktop, WindowOptions options)
    : m_options(std::move(options))
{
    setWindowTitle(Utf8ToQString(MainWindowCaption));
    move(MainWindowDesignedPlace.left, MainWindowDesignedPlace.top);
    resize(MainWindowDesignedPlace.width, MainWindowDesignedPlace.height);
    BuildControls();

    m_form = std::make_unique<QtForm>(*this);
    m_form->SetText(Control::编辑框店铺地址, endpoints.ExampleShopAddress);
    m_form->SetText(Control::编辑框宝贝地址, endpoints.ExampleItemAddress);
    m_form->SetText(Control::超级链接框1, "联系QQ  "_gbk + endpoints.SupportContact);

    m_session = std::make_unique<Session>(*m_form, pump, desktop, std::move(endpoints));
    m_session->frame = this;
    ConnectEvents();

    if (m_login_browser) {
        m_cookie_mirror = std::make_unique<CookieMirror>(
            *QWebEngineProfile::defaultProfile()->cookieStore(), CookieStore::Shared());
        m_login_browser->load(QUrl(ToQString(m_session->endpoints.LoginPageUrl())));
    }
    SetUpMainWindow(*m_session);
}

MainWindow::~MainWindow()
{
    delete m_update_window.data();
    // The controls go before the session and the form that their events reach.
    for (auto* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete child;
}

void MainWindow::BuildControls()
{
    for (auto const& definition : ControlDefinitions()) {
        QWidget* parent = this;
        if (definition.parent == Control::选择夹1)
            parent = m_tabs->Page(definition.tab_page);
        else if (definition.parent != Control::None)
            parent = m_widgets.at(definition.parent);

        QWidget* widget = MakeControl(definition, parent);
        widget->setObjectName(Utf8ToQString(definition.name));
        auto const& place = definition.place;
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (!definition.tag.empty())
            widget->setProperty("tag", Utf8ToQString(definition.tag));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setChecked(definition.checked);
        widget->setEnabled(definition.enabled);
        widget->setHidden(!definition.visible);
        m_widgets.emplace(definition.control, widget);
    }

    // Each row of a level picture stands beside the check box of its level.
    for (Control picture : {Control::图片框1, Control::图片框2, Control::图片框3, Control::图片框4}) {
        auto const& picture_place = DefinitionOf(picture).place;
        std::array<int, LevelsPerFamily> centres {};
        for (int row = 0; row < LevelsPerFamily; ++row) {
            auto const& box
                = DefinitionOf(LevelBox((FamilyOf(picture) - 1) * LevelsPerFamily + row + 1)).place;
            centres[static_cast<std::size_t>(row)] = box.top + box.height / 2 - picture_place.top;
        }
        static_cast<PictureBox*>(m_widgets.at(picture))->SetRowCentres(centres);
    }
}

QWidget* MainWindow::MakeControl(ControlDefinition const& definition, QWidget* parent)
{
    QString const caption = Utf8ToQString(definition.caption);
    switch (definition.kind) {
    case ControlKind::TabControl: {
        QStringList titles;
        for (auto title : TabTitles)
            titles << Utf8ToQString(title);
        m_tabs = new TabControl(titles, parent);
        return m_tabs;
    }
    case ControlKind::GroupBox: {
        // Opaque, so that a panel shown over the lists hides what lies under it.
        auto* group = new QGroupBox(caption, parent);
        group->setAutoFillBackground(true);
        return group;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::EditBox:
        return new QLineEdit(caption, parent);
    case ControlKind::MultiLineEditBox: {
        // The status log: only the program writes it.
        auto* log = new QPlainTextEdit(parent);
        log->setReadOnly(true);
        log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        return log;
    }
    case ControlKind::ComboBox: {
        auto* combo_box = new QComboBox(parent);
        combo_box->addItem(caption);
        return combo_box;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::RadioButton: {
        // The mode switches sit on their group's top edge; the frame line must not cross them.
        auto* radio = new QRadioButton(caption, parent);
        radio->setAutoFillBackground(definition.place.top == 0);
        return radio;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::PictureBox:
        return new PictureBox(PictureOf(definition.control), parent);
    case ControlKind::Hyperlink: {
        auto* link = new HyperlinkLabel(parent);
        link->setText(caption);
        return link;
    }
    case ControlKind::ResultList:
        return MakeResultList(
            definition.control == Control::超级列表框店铺 ? SellerListColumns() : BuyerListColumns(), parent);
    case ControlKind::WebBrowser:
        if (m_options.browsers == EmbeddedBrowsers::Load) {
            m_login_browser = MakeBrowserView(parent);
            return m_login_browser;
        }
        return new QWidget(parent);
    }
    return new QWidget(parent);
}

void MainWindow::ConnectEvents()
{
    for (auto const& definition : ControlDefinitions()) {
        Control const control = definition.control;
        QWidget* widget = m_widgets.at(control);
        switch (definition.kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [this, control] { OnClick(*m_session, control); });
            break;
        case ControlKind::Hyperlink:
            connect(static_cast<HyperlinkLabel*>(widget), &HyperlinkLabel::Pressed, this,
                [this, control] { OnClick(*m_session, control); });
            break;
        case ControlKind::ResultList:
            connect(static_cast<QTreeWidget*>(widget), &QTreeWidget::itemDoubleClicked, this,
                [this, control] { OnDoubleClick(*m_session, control); });
            break;
        default:
            break;
        }
    }
}

QWidget* MainWindow::Widget(Control control) const
{
    auto found = m_widgets.find(control);
    return found == m_widgets.end() ? nullptr : found->second;
}

void MainWindow::SetAlwaysOnTop(bool on)
{
    if (m_always_on_top == on)
        return;
    m_always_on_top = on;
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* handle = windowHandle()) {
        // Tell the window system directly: changing a shown widget's flags would hide it.
        overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

int MainWindow::Width() const
{
    return width();
}

void MainWindow::SetWidth(int new_width)
{
    resize(new_width, height());
}

void MainWindow::ShowBanner(Text const& url, Rect place)
{
    if (m_options.browsers != EmbeddedBrowsers::Load)
        return;
    m_banner = MakeBrowserView(this);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setGeometry(place.left, place.top, place.width, place.height);
    m_banner->load(QUrl(ToQString(url)));
    m_banner->show();
    m_banner->raise();
}

BackgroundColour MainWindow::Background(Control control) const
{
    auto found = m_backgrounds.find(control);
    return found == m_backgrounds.end() ? std::nullopt : found->second;
}

void MainWindow::SetBackground(Control control, BackgroundColour colour)
{
    QWidget* widget = Widget(control);
    if (!widget)
        return;
    m_backgrounds[control] = colour;
    if (!colour) {
        widget->setPalette(QPalette());
        return;
    }
    QPalette palette = widget->palette();
    QColor const rgb(static_cast<QRgb>(*colour));
    palette.setColor(QPalette::Base, rgb);
    palette.setColor(QPalette::Button, rgb);
    widget->setPalette(palette);
}

void MainWindow::OpenUpdateWindow()
{
    if (m_update_window) {
        m_update_window->show();
        m_update_window->raise();
        m_update_window->activateWindow();
        return;
    }
    if (!m_options.make_update_window)
        return;
    QWidget* window = m_options.make_update_window(*m_session, *this);
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_update_window = window;
    window->show();
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_form)
        OnMainWindowActivated(*m_form);
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    // A run in progress is stopped as by its stop button, so that it ends at its next page
    // boundary and the program can end after it instead of collecting on unseen.
    if (auto running = m_session->run_gate.ActiveButton();
        running && m_form->GetText(*running) == "停止"_gbk) {
        if (auto* button = qobject_cast<QAbstractButton*>(Widget(*running)))
            button->click();
    }
    emit Closed();
}

}
