#pragma once

#include <QAbstractButton>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>
#include <QWidget>
#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

#include "app/editing/edit_actions.h"
#include "app/editing/hand_set_fields.h"
#include "app/editing/point_handles.h"
#include "app/grid/canvas.h"
#include "app/grid/grid_pictures.h"
#include "app/grid/grid_redraw.h"
#include "app/grid/texts.h"
#include "app/panel/favourites_store.h"
#include "app/panel/visit_history.h"
#include "app/panel/window_actions.h"
#include "app/panel/window_panel.h"
#include "recipe/recipe.h"
#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// The seconds since local midnight, as the clock seeds the generator.
float SecondsSinceMidnight();

class AtlasWindow;
class EditSection;
class ExportJob;
class ExportRunner;
class FlightWindow;
class VariationsWindow;

// The program's one window: five buttons in a row near the top, a retained
// canvas under them on which every image and text is drawn, and a panel to
// the right of the grid for everything beyond those five buttons. The window
// owns the state record, the random generator and the help lines; each event
// hands them to a small procedure and then shows the canvas again. It makes
// the atlas and variations windows and answers what they ask by their
// signals.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    // `favourites_path` is where favourites are kept; empty: the platform's
    // application-data folder.
    explicit Form1(QWidget* parent = nullptr, const QString& favourites_path = {});
    ~Form1() override;

    // Start-up: shows the window, seeds the generator once with the seconds
    // since midnight, and draws the first image mother.
    void Form_Load(float seconds_since_midnight);

    const ImageState& state() const { return state_; }
    const Canvas& canvas() const { return canvas_; }
    const PointHandles& handles() const { return handles_; }
    SidePanel* panel() const { return panel_.side; }
    // The recipes of what the grid shows.
    const GridPictures& pictures() const { return pictures_; }
    const FavouritesStore& favourites() const { return favourites_; }

    // Makes `seed`'s image mother exactly as "new" does when it draws that
    // seed. False, with the reason shown by the box, when `text` is not a
    // whole number in kSeedRange; nothing changes then.
    bool GoToSeed(const QString& text);
    // Draws the picture a recipe names with its mother and every child
    // before it, as pasting or opening it does. False, with the reason
    // shown in the panel, when the text is not a recipe; nothing changes.
    bool ShowRecipeText(const QString& text);
    // Makes a recipe's parameters the image mother: the grid cleared, the
    // mother drawn at the base view, ready for children.
    void ShowAsMother(const Recipe& recipe);
    // Writes the latest picture at 1x as a PNG that carries its recipe.
    bool SaveImageTo(const QString& path);
    // Opens a seedscape PNG: the same as pasting its recipe.
    bool OpenImageFile(const QString& path);
    // Starts exporting a picture in the background; the panel shows the
    // progress. The running export, if any.
    void StartExport(const Recipe& recipe, const QString& path);
    ExportJob* export_job() const;
    // Back and forward through the mothers visited.
    void GoBack();
    void GoForward();
    void AddToFavourites(const Recipe& recipe);

    // Opens the atlas, or brings it to the front.
    void OpenAtlas();
    // Opens the flight window, or brings it to the front; the window, once
    // made.
    void OpenFlight();
    FlightWindow* flight_window() const;
    // The latest picture as the flight's next key; opens the flight window.
    void AddKey();

    void SetPanelVisible(bool visible);
    // Shows or hides the panel's Edit section (hidden at start-up).
    void SetEditVisible(bool visible);
    // Shows the canvas 1, 2 or 3 times as large, each pixel a square block;
    // never larger than the screen has room for.
    void SetZoom(int zoom);
    int zoom() const { return zoom_; }
    // An edited grid is being drawn off the event thread; state() and
    // canvas() show it once this is false.
    bool redrawingGrid() const { return redraw_.busy(); }

  signals:
    // The mother on screen changed; the atlas follows the chain from it.
    void motherChanged(int seed);
    void favouritesChanged(const std::vector<seedscape::Recipe>& favourites);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // With the points shown, a press on a handle drags it.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Escape leaves full screen.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Handlers say what they do; the five buttons keep their object names
    // (Command1 ...), by which automation finds them.
    void IncreaseMagnification();  // "+", Command1
    void ReduceMagnification();    // "--", Command11
    void DrawNewImageMother();     // "new", Command5
    void ShowHelp();               // "help", Command19
    void Exit();                   // "exit", Command2
    // A mouse press on the window: a child when it lies on the image mother.
    void DrawChildAt(float x, float y);
    // Draws `seed`'s image mother as "new" does when it draws that seed.
    void ShowSeedMother(int seed);
    // Draws a picture as pasting its recipe does.
    void ShowPicture(const Recipe& recipe);

    // The panel's actions.
    void SaveImage();
    void ExportPicture();
    void CopyRecipe();
    void CopyPicture();
    void PasteRecipe();
    void OpenImage();
    void FocusSeedBox();
    void GoToEnteredSeed();
    void AddLatestToFavourites();
    void RemoveFavourite(const Recipe& recipe);
    void RepairFavourites();
    void ZoomIn();
    void ZoomOut();
    void ToggleFullScreen();
    void LeaveFullScreen();  // back to the zoom before
    void OpenVariations();
    // One finished gesture of the Edit section: a step of the current
    // visit's undo stack, which draws it.
    void EditFields(const HandSetFields& fields);
    // The current picture with `fields`, drawn afresh from `fak` with its
    // children, as a pasted recipe is drawn.
    void ShowEditedFields(const HandSetFields& fields, double fak);
    QUndoStack* UndoStackOfCurrentVisit();
    // The edited grid drawn off the event thread taken into the window, and
    // the presses that waited behind it drawn. Whatever reads or changes the
    // record, the generator, the canvas or the grid's recipes calls this
    // first; nothing when no redraw is under way.
    void FinishGridRedraw();
    // A frame of a handle's drag: the mother alone, over the grid's.
    void ShowDraggedMother(const PixelImage& mother);

    void AddButton(const char* name, const QString& caption, int left, int width,
                   void (Form1::*handler)());
    // The five buttons' tips name their keys.
    void TellButtonKeys();
    // Each action and each part of the panel to what it does.
    void ConnectActions();
    // The room the screen gives the window: its available area, or the
    // whole screen in full screen.
    QSize Room() const;
    bool PanelShown() const;
    // Sizes the window and places its buttons and panel for the zoom, which
    // it lowers to the largest that fits the room.
    void Relayout();
    // After every new mother or child: the grid's recipes, the history, the
    // panel.
    void RecordMother(double fak_before);
    void RecordChild(float x, float y);
    // Draws a recipe's pictures reached otherwise than by "new".
    void ShowJumpedTo(const Recipe& recipe, double fak);
    void ShowVisit(const Visit& visit);
    void ShowMessage(const QString& text);  // news, which clears itself
    void ShowProblem(const QString& text);  // a refusal or failure, which stays
    void UpdatePanel();
    void ShowFavourites();

    ImageState state_;
    RandomGenerator random_;
    Canvas canvas_;
    HelpLines helplines_;
    GridPictures pictures_;
    VisitHistory history_;
    FavouritesStore favourites_;
    std::vector<std::pair<QAbstractButton*, QRect>> buttons_;  // with their geometry at 1x
    int zoom_ = 1;
    int zoom_before_full_screen_ = 1;
    WindowActions actions_{};
    WindowPanel panel_{};
    QUndoGroup undo_group_;                         // its active stack is the current visit's
    std::map<long long, QUndoStack*> undo_stacks_;  // by visit
    EditActions edit_actions_{};
    EditSection* edit_ = nullptr;
    PointHandles handles_;
    GridRedraw redraw_;
    long long dragged_visit_ = -1;         // the visit whose mother a handle's drag began on
    QToolButton* actions_menu_ = nullptr;  // every action with its key, right of the grid
    std::unique_ptr<ExportRunner> export_;
    QTimer favourites_retry_;  // a change not yet saved is tried again
    // The seeds shown by the unbroken run of "new" presses since the last
    // jump (start-up, seed box, back and forward, paste, open, the other
    // windows), the mother it started from included.
    std::unordered_set<int> new_run_;
    QPointer<VariationsWindow> variations_;  // made when first opened, a child of this
    QPointer<AtlasWindow> atlas_;            // null once closed
    QPointer<FlightWindow> flight_;          // made when first opened, a child of this
};

}  // namespace seedscape
