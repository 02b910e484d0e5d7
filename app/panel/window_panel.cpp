#include "app/panel/window_panel.h"

#include "app/panel/seed_box_keys.h"
#include "recipe/range_text.h"

namespace seedscape {

WindowPanel BuildWindowPanel(QWidget* window, const WindowActions& actions) {
    auto* scroller = new QScrollArea(window);
    scroller->setObjectName(QStringLiteral("PanelScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidgetResizable(true);
    auto* panel = new SidePanel(scroller);

    auto* seed_box = new QLineEdit(panel);
    seed_box->setObjectName(QStringLiteral("SeedBox"));
    seed_box->setPlaceholderText(
        SidePanel::tr("seed, %1").arg(QString::fromStdString(FromTo(kSeedRange))));
    seed_box->setToolTip(
        SidePanel::tr("Type a seed and press Enter to make its image mother (Ctrl+G)"));
    auto* seed_problem = new QLabel(panel);
    seed_problem->setTextFormat(Qt::PlainText);
    seed_problem->setObjectName(QStringLiteral("SeedBoxProblem"));
    seed_problem->setWordWrap(true);
    seed_problem->hide();
    QObject::connect(seed_box, &QLineEdit::textEdited, seed_problem, &QLabel::hide);
    RouteWindowKeysFromSeedBox(seed_box, window);
    panel->AddSection(SidePanel::tr("Seed"), {});
    panel->AddWidget(seed_box);
    panel->AddWidget(seed_problem);
    panel->AddRow({actions.back, actions.forward});

    panel->AddSection(SidePanel::tr("Image"),
                      {actions.new_image_mother, actions.increase_magnification,
                       actions.reduce_magnification, actions.show_help});
    panel->AddSection(SidePanel::tr("Picture"),
                      {actions.save_image, actions.export_picture, actions.copy_recipe,
                       actions.copy_picture, actions.paste_recipe, actions.open});
    panel->AddSection(SidePanel::tr("Explore"), {actions.variations, actions.atlas});
    panel->AddSection(SidePanel::tr("Flight"), {actions.add_key, actions.flight});
    panel->AddSection(SidePanel::tr("Favourites"), {actions.add_favourite});
    auto* favourites_status = new FavouritesStatus(panel);
    panel->AddWidget(favourites_status);
    auto* favourites = new FavouritesList(panel);
    // The list takes the height the rest leaves, however short, so that the
    // panel scrolls only when even a row of favourites has no room.
    favourites->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    favourites->setMinimumHeight(favourites->iconSize().height() + 30);
    panel->AddWidget(favourites, 1);
    panel->AddSection(SidePanel::tr("View"),
                      {actions.zoom_in, actions.zoom_out, actions.full_screen, actions.show_panel});
    scroller->setWidget(panel);
    return {scroller, panel, seed_box, seed_problem, favourites_status, favourites};
}

}  // namespace seedscape
