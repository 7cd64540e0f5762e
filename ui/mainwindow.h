// MainWindow is the form A: the banner, the page area with its eight arrows,
// the menu column, the decorative icons and the red rules, built once from
// the layout tables. It routes clicks on the entries and visible arrows to the
// navigation controller and puts each new state on the screen.
#pragma once

#include "identifiers.h"
#include "navigation.h"

#include <QImage>
#include <QWidget>

#include <array>

namespace quelvara {

class ClickRouter;
class IconImage;
class ImageLibrary;
class MenuEntry;
class PictureBox;

class MainWindow final : public QWidget {
    Q_OBJECT

public:
    // images and controller must outlive the window.
    MainWindow(const ImageLibrary& images, NavigationController& controller, QWidget* parent = nullptr);
    ~MainWindow() override;

    const NavigationController& controller() const { return m_controller; }
    PictureBox* banner() const { return m_banner; }
    PictureBox* pageArea() const { return m_pageArea; }
    IconImage* arrow(ArrowId arrow) const { return m_arrows[indexOf(arrow)]; }
    MenuEntry* entry(EntryId entry) const { return m_entries[indexOf(entry)]; }
    const QImage& pageImage(PageId page) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void entryClicked(EntryId entry);
    void arrowClicked(ArrowId arrow);
    void showPageAndArrows();
    void showEntryStyles();

    const ImageLibrary& m_images;
    NavigationController& m_controller;
    ClickRouter* m_router;
    PictureBox* m_banner;
    PictureBox* m_pageArea;
    std::array<IconImage*, ArrowCount> m_arrows {};
    std::array<MenuEntry*, EntryCount> m_entries {};
};

} // namespace quelvara
