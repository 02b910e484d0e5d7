#include "app/grid/form1.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTime>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/atlas/atlas_window.h"
#include "app/editing/edit_command.h"
#include "app/editing/edit_section.h"
#include "app/flights/flight_window.h"
#include "app/grid/export_choices.h"
#include "app/grid/image_child.h"
#include "app/grid/image_mother.h"
#include "app/grid/magnification.h"
#include "app/grid/remembered_window.h"
#include "app/grid/show_recipe.h"
#include "app/panel/actions_menu.h"
#include "app/panel/export_runner.h"
#include "app/panel/picture_dialogs.h"
#include "app/panel/side_panel.h"
#include "app/panel/window_fit.h"
#include "app/shared/thumbnail.h"
#include "app/variations/variations_window.h"
#include "atlas/atlas_sources.h"
#include "export/write_picture.h"
#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "recipe/draw_recipe.h"
#include "recipe/number_text.h"
#include "recipe/picture_description.h"
#include "recipe/range_text.h"
#include "recipe/value_readers.h"
#include "render/fast/fast_render.h"
#include "render/image_child.h"

namespace seedscape {

namespace {

constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 17;
constexpr int kButtonFontPoints = 9;
// How often a change to the favourites that could not be saved is tried again.
constexpr int kFavouritesRetryMs = 5000;

}  // namespace

Form1::Form1(QWidget* parent, const QString& favourites_path)
    : QWidget(parent),
      favourites_(favourites_path.isEmpty() ? FavouritesStore::DefaultPath() : favourites_path) {
    setWindowTitle(QStringLiteral("Form1"));
    // The canvas covers every pixel it owns, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    // The grid itself takes the keyboard focus at start-up: a stray Space
    // then presses no button (it would press "exit", first in the tab order,
    // and lose the grid).
    setFocusPolicy(Qt::StrongFocus);

    actions_ = MakeWindowActions(this);
    // Made in tab order: "exit" first, then the row from left to right.
    AddButton("Command2", QStringLiteral("exit"), 232, 41, &Form1::Exit);
    AddButton("Command5", QStringLiteral("new"), 56, 41, &Form1::DrawNewImageMother);
    AddButton("Command1", QStringLiteral("+"), 112, 17, &Form1::IncreaseMagnification);
    AddButton("Command11", QStringLiteral("--"), 144, 17, &Form1::ReduceMagnification);
    AddButton("Command19", QStringLiteral("help"), 176, 41, &Form1::ShowHelp);
    TellButtonKeys();
    actions_menu_ = MakeActionsMenuButton(this, actions_);
    panel_ = BuildWindowPanel(this, actions_);
    export_ = std::make_unique<ExportRunner>(panel_.side);
    edit_actions_ = MakeEditActions(this, &undo_group_);
    ListEditActions(actions_menu_->menu(), edit_actions_);
    panel_.side->AddRow({edit_actions_.show_edit, edit_actions_.show_points});
    edit_ = new EditSection(edit_actions_, panel_.side);
    panel_.side->AddWidget(edit_);
    edit_->hide();
    ConnectActions();
    favourites_retry_.setInterval(kFavouritesRetryMs);
    favourites_retry_.setSingleShot(true);
    connect(&favourites_retry_, &QTimer::timeout, this, [this] {
        favourites_.Retry();
        ShowFavourites();
    });
    favourites_.Load();
    ShowFavourites();
    SetPanelVisible(true);
}

Form1::~Form1() = default;

void Form1::AddButton(const char* name, const QString& caption, int left, int width,
                      void (Form1::*handler)()) {
    // The buttons are only 17 pixels high: a small font of the canvas's face
    // fits them whatever the desktop's own font size.
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPointSize(kButtonFontPoints);
    auto* button = new QPushButton(caption, this);
    button->setFont(font);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, kButtonTop, width, kButtonHeight);
    buttons_.emplace_back(button, button->geometry());
    connect(button, &QPushButton::clicked, this, handler);
}

void Form1::TellButtonKeys() {
    // As the panel's buttons do: the caption, then the key in brackets.
    const auto tell = [this](const char* name, const QAction* action) {
        auto* button = findChild<QPushButton*>(QString::fromLatin1(name));
        button->setToolTip(QStringLiteral("%1 (%2)").arg(
            button->text(), action->shortcut().toString(QKeySequence::NativeText)));
    };
    tell("Command5", actions_.new_image_mother);
    tell("Command1", actions_.increase_magnification);
    tell("Command11", actions_.reduce_magnification);
    tell("Command19", actions_.show_help);
    findChild<QPushButton*>(QStringLiteral("Command2"))->setToolTip(tr("exit: quits seedscape"));
}

void Form1::ConnectActions() {
    const auto on = [this](QAction* action, void (Form1::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    connect(panel_.seed_box, &QLineEdit::returnPressed, this, &Form1::GoToEnteredSeed);
    on(actions_.go_to_seed, &Form1::FocusSeedBox);
    on(actions_.back, &Form1::GoBack);
    on(actions_.forward, &Form1::GoForward);
    on(actions_.new_image_mother, &Form1::DrawNewImageMother);
    on(actions_.increase_magnification, &Form1::IncreaseMagnification);
    on(actions_.reduce_magnification, &Form1::ReduceMagnification);
    on(actions_.show_help, &Form1::ShowHelp);
    on(actions_.save_image, &Form1::SaveImage);
    on(actions_.export_picture, &Form1::ExportPicture);
    on(actions_.copy_recipe, &Form1::CopyRecipe);
    on(actions_.copy_picture, &Form1::CopyPicture);
    on(actions_.paste_recipe, &Form1::PasteRecipe);
    on(actions_.open, &Form1::OpenImage);
    on(actions_.variations, &Form1::OpenVariations);
    on(actions_.atlas, &Form1::OpenAtlas);
    on(actions_.add_favourite, &Form1::AddLatestToFavourites);
    on(actions_.add_key, &Form1::AddKey);
    on(actions_.flight, &Form1::OpenFlight);
    on(actions_.zoom_in, &Form1::ZoomIn);
    on(actions_.zoom_out, &Form1::ZoomOut);
    on(actions_.full_screen, &Form1::ToggleFullScreen);
    connect(actions_.show_panel, &QAction::toggled, this, &Form1::SetPanelVisible);
    connect(edit_actions_.show_edit, &QAction::toggled, this, &Form1::SetEditVisible);
    connect(edit_, &EditSection::fieldsEdited, this, &Form1::EditFields);
    connect(edit_actions_.show_points, &QAction::toggled, this, [this] { update(); });
    connect(&handles_, &PointHandles::motherDrawn, this, &Form1::ShowDraggedMother);
    connect(&redraw_, &GridRedraw::drawn, this, &Form1::FinishGridRedraw);

    connect(panel_.favourites, &FavouritesList::pictureChosen, this, &Form1::ShowPicture);
    connect(panel_.favourites, &FavouritesList::removeRequested, this, &Form1::RemoveFavourite);
    connect(panel_.favourites_status, &FavouritesStatus::repairRequested, this,
            &Form1::RepairFavourites);
}

void Form1::SetPanelVisible(bool visible) {
    panel_.scroller->setVisible(visible);
    actions_.show_panel->setChecked(visible);
    Relayout();
}

void Form1::SetEditVisible(bool visible) {
    edit_->setVisible(visible);
    edit_actions_.show_edit->setChecked(visible);
    if (visible && !PanelShown()) SetPanelVisible(true);
}

QUndoStack* Form1::UndoStackOfCurrentVisit() {
    QUndoStack*& stack = undo_stacks_[history_.CurrentId()];
    if (stack == nullptr) {
        stack = new QUndoStack(&undo_group_);
        undo_group_.addStack(stack);
    }
    return stack;
}

void Form1::EditFields(const HandSetFields& fields) {
    FinishGridRedraw();
    const HandSetFields before = HandSetFieldsOf(pictures_.Latest());
    UndoStackOfCurrentVisit()->push(new EditCommand(
        tr("edit"), before, history_.Current().fak, fields,
        [this](const HandSetFields& shown, double fak) { ShowEditedFields(shown, fak); }));
}

void Form1::ShowEditedFields(const HandSetFields& fields, double fak) {
    FinishGridRedraw();  // the edit before, and its presses, come first
    const Recipe recipe = WithHandSetFields(pictures_.Latest(), fields);
    // The mother and up to eight children take tens of milliseconds: the
    // window shows what it had until they are drawn.
    redraw_.Start(recipe, fak, state_, random_, canvas_);
    new_run_.clear();
    pictures_.ShowAll(recipe);
    history_.EditCurrent(recipe, fak);
    history_.UpdateCurrent(recipe, state_.f);
    UpdatePanel();
    update();
}

void Form1::FinishGridRedraw() {
    std::vector<GridRedraw::Press> presses;
    std::optional<GridRedraw::Drawn> drawn = redraw_.Take(presses);
    if (!drawn) return;
    const double f = state_.f;  // the magnification chosen for the next press stays
    state_ = drawn->state;
    random_ = drawn->random;
    canvas_ = std::move(drawn->canvas);
    if (state_.f != f) {
        state_.f = f;
        ShowMagnification(state_, canvas_);
    }
    for (const GridRedraw::Press& press : presses) DrawChildAt(press.x, press.y);
    update();
}

void Form1::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, kLargestZoom);
    Relayout();
    update();
}

QSize Form1::Room() const {
    const QScreen* on = screen();
    if (isFullScreen()) return on->geometry().size();
    // The title bar and borders, once the desktop has drawn them, come out
    // of the same room.
    const QSize frame = (frameGeometry().size() - size()).expandedTo(QSize(0, 0));
    return on->availableGeometry().size() - frame;
}

bool Form1::PanelShown() const {
    return panel_.scroller->isVisibleTo(this);
}

void Form1::Relayout() {
    const bool panel = PanelShown();
    const QSize room = Room();
    zoom_ = std::min(zoom_, LargestZoomThatFits(room, panel));
    // The five buttons grow with the canvas, so that they cover the same
    // pixels of the image mother at every zoom.
    for (const auto& [button, geometry] : buttons_) {
        button->setGeometry(geometry.x() * zoom_, geometry.y() * zoom_, geometry.width() * zoom_,
                            geometry.height() * zoom_);
        QFont font = button->font();
        font.setPointSize(kButtonFontPoints * zoom_);
        button->setFont(font);
    }
    actions_menu_->setGeometry(MenuButtonGeometry(zoom_, kButtonTop));
    const QSize fitted = FittedWindowSize(zoom_, panel, room);
    // Full screen, the panel runs down the whole screen.
    const int height = isFullScreen() ? room.height() : fitted.height();
    panel_.scroller->setGeometry(PanelGeometry(zoom_, height, kButtonTop));
    // Full screen, the screen's size holds; a minimum larger than the window
    // not yet grown to it would end full screen.
    if (isFullScreen()) return;
    setMinimumSize(fitted);
    resize(fitted);
}

float SecondsSinceMidnight() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

void Form1::Form_Load(float seconds_since_midnight) {
    show();
    // Another screen gives other room.
    connect(windowHandle(), &QWindow::screenChanged, this, &Form1::Relayout);
    random_.Seed(seconds_since_midnight);
    LoadHelpText(helplines_);
    canvas_.SetFontSize(10);
    SetStartUpSelectors(state_);  // the tile offset at the origin, the fixed selectors
    const double fak_before = state_.fak;
    NewImageMother(state_, random_, canvas_);
    RecordMother(fak_before);
    setFocus();
    update();
    KeepWindowRemembered(*this);
}

void Form1::IncreaseMagnification() {
    FinishGridRedraw();
    seedscape::IncreaseMagnification(state_);
    ShowMagnification(state_, canvas_);
    history_.UpdateCurrent(pictures_.Latest(), state_.f);
    update();
}

void Form1::ReduceMagnification() {
    FinishGridRedraw();
    seedscape::ReduceMagnification(state_);
    ShowMagnification(state_, canvas_);
    history_.UpdateCurrent(pictures_.Latest(), state_.f);
    update();
}

void Form1::DrawNewImageMother() {
    FinishGridRedraw();
    // The chain of seeds is a function on a finite set, so it ends in a loop.
    // Once the next seed is one this run of "new" has shown already, the
    // chain has closed: draw from the clock instead, as start-up does.
    const int mother = pictures_.Latest().seed;
    if (new_run_.empty()) new_run_ = {mother};  // the mother a jump showed starts the run
    const bool closed = new_run_.contains(NextInChain(mother));
    if (closed) random_.Seed(SecondsSinceMidnight());
    canvas_.Clear();
    state_.zamikx = 0;
    state_.zamiky = 0;
    const double fak_before = state_.fak;
    NewImageMother(state_, random_, canvas_);
    RecordMother(fak_before);
    const int drawn = static_cast<int>(state_.seed);
    if (closed) {
        new_run_ = {drawn};
        ShowMessage(tr("The chain of new mothers came round to seed %1 again, so this one is "
                       "drawn from the clock")
                        .arg(NextInChain(mother)));
    } else {
        new_run_.insert(drawn);
    }
    update();
}

void Form1::ShowHelp() {
    FinishGridRedraw();
    ShowHelpScreen(helplines_, canvas_);
    update();
}

void Form1::Exit() {
    QCoreApplication::exit(0);
}

void Form1::DrawChildAt(float x, float y) {
    setFocus();
    if (redraw_.busy()) {
        redraw_.QueuePress({x, y});
        return;
    }
    if (!ShowImageChild(state_, canvas_, x, y, pictures_.Latest().grading)) return;
    RecordChild(x, y);
    update();
}

void Form1::RecordMother(double fak_before) {
    Recipe mother;
    mother.seed = static_cast<int>(state_.seed);
    pictures_.StartMother(mother);
    history_.Add({pictures_.Latest(), fak_before, state_.f});
    UpdatePanel();
    emit motherChanged(mother.seed);
}

void Form1::RecordChild(float x, float y) {
    pictures_.AddPress({x, y, static_cast<int>(state_.f)}, TileOffset(state_));
    history_.UpdateCurrent(pictures_.Latest(), state_.f);
    UpdatePanel();
}

void Form1::UpdatePanel() {
    panel_.side->ShowRecipeText(QString::fromStdString(PrintRecipe(pictures_.Latest())));
    if (!panel_.seed_box->hasFocus())
        panel_.seed_box->setText(QString::number(pictures_.Latest().seed));
    actions_.back->setEnabled(history_.CanGoBack());
    actions_.forward->setEnabled(history_.CanGoForward());
    undo_group_.setActiveStack(UndoStackOfCurrentVisit());
    edit_->Show(pictures_.Latest());
}

void Form1::ShowMessage(const QString& text) {
    panel_.side->ShowMessage(text);
}

void Form1::ShowProblem(const QString& text) {
    panel_.side->ShowProblem(text);
}

void Form1::ShowJumpedTo(const Recipe& recipe, double fak) {
    seedscape::ShowRecipe(recipe, fak, state_, random_, canvas_);
    new_run_.clear();  // "new" follows the chain afresh from here
}

void Form1::ShowVisit(const Visit& visit) {
    ShowJumpedTo(visit.recipe, visit.fak);
    pictures_.ShowAll(visit.recipe);
    if (state_.f != visit.f) {
        state_.f = visit.f;
        ShowMagnification(state_, canvas_);
    }
    UpdatePanel();
    emit motherChanged(visit.recipe.seed);
    update();
}

void Form1::GoBack() {
    FinishGridRedraw();
    if (history_.CanGoBack()) ShowVisit(history_.Back());
}

void Form1::GoForward() {
    FinishGridRedraw();
    if (history_.CanGoForward()) ShowVisit(history_.Forward());
}

bool Form1::GoToSeed(const QString& text) {
    const Reading<int> seed = ReadSeed(text.trimmed().toStdString());
    if (!seed.value) {
        panel_.seed_problem->setText(
            tr("enter %1").arg(QString::fromStdString(WholeNumberText(kSeedRange))));
        panel_.seed_problem->show();
        return false;
    }
    ShowSeedMother(*seed.value);
    return true;
}

void Form1::ShowSeedMother(int seed) {
    FinishGridRedraw();
    panel_.seed_problem->hide();
    Recipe mother;
    mother.seed = seed;
    // As "new" does: the factor the last image left carries into the mother.
    const double fak_before = state_.fak;
    ShowJumpedTo(mother, fak_before);
    RecordMother(fak_before);
    update();
}

void Form1::FocusSeedBox() {
    SetPanelVisible(true);
    panel_.seed_box->setFocus();
    panel_.seed_box->selectAll();
}

void Form1::GoToEnteredSeed() {
    if (GoToSeed(panel_.seed_box->text())) setFocus();
}

void Form1::ShowAsMother(const Recipe& recipe) {
    FinishGridRedraw();
    Recipe mother = OnScreen(recipe);
    mother.presses.clear();
    ShowJumpedTo(mother, 0.0);
    pictures_.StartMother(mother);
    history_.Add({mother, 0.0, state_.f});
    UpdatePanel();
    emit motherChanged(mother.seed);
    update();
}

bool Form1::ShowRecipeText(const QString& text) {
    FinishGridRedraw();
    const RecipeReading reading = ParseRecipe(text.toStdString());
    if (!reading.recipe) {
        ShowProblem(tr("Not a recipe: %1").arg(QString::fromStdString(reading.error)));
        return false;
    }
    // A fresh record's factor, 0, so that the window draws what every program
    // makes of the recipe.
    const Recipe recipe = OnScreen(*reading.recipe);
    ShowJumpedTo(recipe, 0.0);
    pictures_.ShowAll(recipe);
    history_.Add({recipe, 0.0, state_.f});
    UpdatePanel();
    emit motherChanged(recipe.seed);
    ShowMessage({});
    update();
    return true;
}

void Form1::ShowPicture(const Recipe& recipe) {
    // Through its text, as a paste: the same recipe on screen and the same
    // news.
    ShowRecipeText(QString::fromStdString(PrintRecipe(recipe)));
}

bool Form1::SaveImageTo(const QString& path) {
    FinishGridRedraw();
    const PictureWriting written =
        WritePicturePng(OnScreen(pictures_.Latest()), path.toStdString());
    const QString name = QFileInfo(path).fileName();
    if (written.ok) {
        ShowMessage(tr("Saved %1").arg(name));
    } else {
        ShowProblem(tr("Could not save %1: %2").arg(name, QString::fromStdString(written.error)));
    }
    return written.ok;
}

bool Form1::OpenImageFile(const QString& path) {
    const PngRecipeReading read = ReadPngRecipe(path.toStdString());
    if (!read.recipe) {
        ShowProblem(tr("Could not open it: %1").arg(QString::fromStdString(read.error)));
        return false;
    }
    if (!ShowRecipeText(QString::fromStdString(*read.recipe))) return false;
    ShowMessage(tr("Opened %1").arg(QFileInfo(path).fileName()));
    return true;
}

void Form1::AddToFavourites(const Recipe& recipe) {
    FinishGridRedraw();
    const Recipe favourite = OnScreen(recipe);
    const QString picture = QString::fromStdString(DescribePicture(favourite));
    const std::vector<Recipe>& known = favourites_.favourites();
    if (std::find(known.begin(), known.end(), favourite) != known.end()) {
        ShowMessage(tr("%1 is already a favourite").arg(picture));
    } else if (favourites_.Add(favourite)) {
        ShowMessage(tr("Added %1 to the favourites").arg(picture));
    } else {
        ShowProblem(
            tr("%1 is in the favourites but not saved yet; the panel says why").arg(picture));
    }
    ShowFavourites();
}

void Form1::OpenAtlas() {
    FinishGridRedraw();
    if (!atlas_) {
        atlas_ = new AtlasWindow(this, static_cast<int>(state_.seed));
        atlas_->SetFavourites(favourites_.favourites());
        connect(this, &Form1::motherChanged, atlas_, &AtlasWindow::FollowMother);
        connect(this, &Form1::favouritesChanged, atlas_, &AtlasWindow::SetFavourites);
        connect(atlas_, &AtlasWindow::seedChosen, this, &Form1::ShowSeedMother);
        connect(atlas_, &AtlasWindow::recipeChosen, this, &Form1::ShowPicture);
        connect(atlas_, &AtlasWindow::favouriteRequested, this, &Form1::AddToFavourites);
    }
    atlas_->show();
    atlas_->raise();
    atlas_->activateWindow();
}

void Form1::OpenFlight() {
    // Kept when closed, so that its keys wait for the next opening.
    if (flight_ == nullptr) {
        flight_ = new FlightWindow(this);
        // Ctrl+K works from the flight window too.
        flight_->addAction(actions_.add_key);
    }
    flight_->SetZoom(zoom_);
    flight_->show();
    flight_->raise();
    flight_->activateWindow();
}

FlightWindow* Form1::flight_window() const {
    return flight_;
}

void Form1::AddKey() {
    FinishGridRedraw();
    OpenFlight();
    // The recipe Copy recipe gives, as the screen draws it.
    flight_->AddKey(OnScreen(pictures_.Latest()));
}

void Form1::AddLatestToFavourites() {
    FinishGridRedraw();
    AddToFavourites(pictures_.Latest());
}

void Form1::RemoveFavourite(const Recipe& recipe) {
    favourites_.Remove(recipe);
    ShowFavourites();
}

void Form1::RepairFavourites() {
    favourites_.Repair();
    ShowFavourites();
}

void Form1::ShowFavourites() {
    panel_.favourites->Show(favourites_.favourites());
    panel_.favourites_status->Show(favourites_.Status(), favourites_.can_repair());
    if (const QString news = favourites_.TakeNews(); !news.isEmpty()) ShowProblem(news);
    // A change that could not be saved is tried again every few seconds
    // until it is.
    if (favourites_.has_pending() && !favourites_retry_.isActive()) favourites_retry_.start();
    emit favouritesChanged(favourites_.favourites());
}

void Form1::ZoomIn() {
    if (zoom_ >= kLargestZoom) {
        ShowProblem(tr("%1x is the largest zoom").arg(kLargestZoom));
        return;
    }
    const QSize room = Room();
    if (zoom_ + 1 > LargestZoomThatFits(room, PanelShown())) {
        const QSize wanted = WantedWindowSize(zoom_ + 1, PanelShown());
        ShowProblem(tr("Zoom %1x does not fit on this screen: the window would be %2 x %3, "
                       "and the screen has room for %4 x %5")
                        .arg(zoom_ + 1)
                        .arg(wanted.width())
                        .arg(wanted.height())
                        .arg(room.width())
                        .arg(room.height()));
        return;
    }
    SetZoom(zoom_ + 1);
}

void Form1::ZoomOut() {
    SetZoom(zoom_ - 1);
}

void Form1::ToggleFullScreen() {
    if (isFullScreen()) {
        LeaveFullScreen();
        return;
    }
    zoom_before_full_screen_ = zoom_;
    showFullScreen();
    // The grid as large as the whole screen allows, not 1x in a corner.
    SetZoom(LargestZoomThatFits(Room(), PanelShown()));
}

void Form1::LeaveFullScreen() {
    showNormal();
    SetZoom(zoom_before_full_screen_);
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        LeaveFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::OpenVariations() {
    FinishGridRedraw();
    if (variations_ == nullptr) {
        variations_ = new VariationsWindow(this);
        connect(variations_, &VariationsWindow::motherRequested, this, &Form1::ShowAsMother);
        connect(variations_, &VariationsWindow::favouriteRequested, this, &Form1::AddToFavourites);
    }
    variations_->Open(pictures_.Latest());
}

ExportJob* Form1::export_job() const {
    return export_->job();
}

void Form1::StartExport(const Recipe& recipe, const QString& path) {
    FinishGridRedraw();
    export_->Start(recipe, path);
}

void Form1::SaveImage() {
    FinishGridRedraw();
    if (const QString path = AskSavePath(this, pictures_.Latest()); !path.isEmpty()) {
        SaveImageTo(path);
    }
}

void Form1::ExportPicture() {
    FinishGridRedraw();
    if (const auto chosen = AskExport(this, ExportChoices(pictures_))) {
        StartExport(chosen->first, chosen->second);
    }
}

void Form1::CopyRecipe() {
    FinishGridRedraw();
    QGuiApplication::clipboard()->setText(QString::fromStdString(PrintRecipe(pictures_.Latest())));
    ShowMessage(tr("Copied the recipe"));
}

void Form1::CopyPicture() {
    FinishGridRedraw();
    // The picture itself, as Save writes it (no indicator or credit over it),
    // and its recipe as the text, so that pasting it here draws it again.
    const Recipe latest = OnScreen(pictures_.Latest());
    auto* data = new QMimeData;
    data->setImageData(ToQImage(RenderRecipePicture(latest, RenderImageFast)));
    data->setText(QString::fromStdString(PrintRecipe(latest)));
    QGuiApplication::clipboard()->setMimeData(data);
    ShowMessage(tr("Copied the picture"));
}

void Form1::PasteRecipe() {
    ShowRecipeText(QGuiApplication::clipboard()->text());
}

void Form1::OpenImage() {
    if (const QString path = AskOpenPath(this); !path.isEmpty()) OpenImageFile(path);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        OpenImageFile(urls.front().toLocalFile());
        event->acceptProposedAction();
    }
}

void Form1::mousePressEvent(QMouseEvent* event) {
    // Any button counts. At a zoom above 1 each canvas pixel is a block of
    // window pixels, and on a scaled display a press can fall between
    // logical pixels: a press belongs to the canvas pixel it lies in.
    const QPointF at = event->position() / zoom_;
    if (handles_.dragging()) return;  // another button during a drag
    if (edit_actions_.show_points->isChecked()) {
        if (const auto point = PointHandles::HandleAt(pictures_.Latest(), at)) {
            FinishGridRedraw();
            handles_.Begin(pictures_.Latest(), *point);
            dragged_visit_ = history_.CurrentId();
            return;
        }
    }
    DrawChildAt(static_cast<float>(std::floor(at.x())), static_cast<float>(std::floor(at.y())));
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    if (handles_.dragging()) handles_.MoveTo(event->position() / zoom_);
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
    if (!handles_.dragging()) return;
    handles_.MoveTo(event->position() / zoom_);
    const HandSetFields fields = handles_.End();
    const HandSetFields shown = HandSetFieldsOf(pictures_.Latest());
    if (history_.CurrentId() != dragged_visit_) {
        // Another mother came during the drag (a key): it stays as it is,
        // drawn whole again over the drag's frames.
        ShowEditedFields(shown, history_.Current().fak);
    } else if (fields != shown) {
        // The whole drag is one step; the grid is drawn again with its children.
        EditFields(fields);
    }
    update();
}

void Form1::ShowDraggedMother(const PixelImage& mother) {
    for (int x = 0; x < mother.width(); ++x) {
        for (int y = 0; y < mother.height(); ++y) canvas_.SetPixel(x, y, mother.At(x, y));
    }
    update();
}

void Form1::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // On a scaled display or zoomed view each canvas pixel becomes a block
    // of screen pixels, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(event->rect(), kBackgroundColour);
    painter.scale(zoom_, zoom_);
    painter.drawImage(QPoint(0, 0), canvas_.image());
    if (edit_actions_.show_points->isChecked()) {
        PointHandles::Paint(painter, handles_.dragging() ? handles_.dragged() : pictures_.Latest());
    }
}

}  // namespace seedscape
