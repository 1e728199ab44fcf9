#include "app/WindowLook.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

#include <cmath>
#include <memory>
#include <optional>
#include <string>

namespace {

// Half the padding of the usual themes beside each menu title.
constexpr char kCompactMenuTitles[] =
    "menubar > menuitem { padding-left: 4px; padding-right: 4px; ";
// Minimize and close only: the window menu button that shows the icon
// would make the title bar wider than the client area.
constexpr char kTitleBarButtons[] = ":minimize,close";
// Below this size the Japanese titles are hard to read.
constexpr int kSmallestMenuFontPixels = 10;

using FontDescription =
    std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)>;

FontDescription ThemeFont(GtkWidget* widget) {
    PangoFontDescription* description = nullptr;
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    gtk_style_context_get(style, gtk_style_context_get_state(style), GTK_STYLE_PROPERTY_FONT,
                          &description, nullptr);
    return FontDescription(description, &pango_font_description_free);
}

int PixelsOf(const PangoFontDescription& font, GtkWidget* widget) {
    double size = pango_font_description_get_size(&font) / double(PANGO_SCALE);
    if (!pango_font_description_get_size_is_absolute(&font)) {
        size *= gdk_screen_get_resolution(gtk_widget_get_screen(widget)) / 72.0;
    }
    return static_cast<int>(std::lround(size));
}

// Padding, border and margin beside widget's content.
int HorizontalExtras(GtkWidget* widget) {
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    const GtkStateFlags state = gtk_style_context_get_state(style);
    GtkBorder padding{};
    GtkBorder border{};
    GtkBorder margin{};
    gtk_style_context_get_padding(style, state, &padding);
    gtk_style_context_get_border(style, state, &border);
    gtk_style_context_get_margin(style, state, &margin);
    return padding.left + padding.right + border.left + border.right + margin.left + margin.right;
}

// The menu bar's width beside the titles' text.
int RoomAroundTitles(GtkWidget* menuBar) {
    int room = HorizontalExtras(menuBar);
    GList* items = gtk_container_get_children(GTK_CONTAINER(menuBar));
    for (GList* item = items; item != nullptr; item = item->next) {
        room += HorizontalExtras(GTK_WIDGET(item->data));
    }
    g_list_free(items);
    return room;
}

// The width of the titles' text alone, in font at pixels.
int TitlesWidth(const wxMenuBar& menuBar, GtkWidget* widget, PangoFontDescription& font,
                int pixels) {
    pango_font_description_set_absolute_size(&font, pixels * PANGO_SCALE);
    PangoLayout* layout = gtk_widget_create_pango_layout(widget, nullptr);
    pango_layout_set_font_description(layout, &font);
    int width = 0;
    for (size_t index = 0; index < menuBar.GetMenuCount(); ++index) {
        pango_layout_set_text(layout, wxStripMenuCodes(menuBar.GetMenuLabel(index)).utf8_str(), -1);
        int titleWidth = 0;
        pango_layout_get_pixel_size(layout, &titleWidth, nullptr);
        width += titleWidth;
    }
    g_object_unref(layout);
    return width;
}

// The program's style of the menu titles, with a font size in pixels or
// the theme's.
void StyleMenuTitles(std::optional<int> fontPixels) {
    static GtkCssProvider* const provider = [] {
        GtkCssProvider* created = gtk_css_provider_new();
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                                  GTK_STYLE_PROVIDER(created),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        return created;
    }();
    std::string css = kCompactMenuTitles;
    if (fontPixels) {
        css += "font-size: " + std::to_string(*fontPixels) + "px; ";
    }
    css += "}";
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
}

} // namespace

void UseCompactDecorations() {
    StyleMenuTitles(std::nullopt);
}

// The title bar that the toolkit draws by default on Wayland shows the
// window icon and takes no layout from the program; this one has the title,
// minimize and close only. Where the compositor draws title bars (X11, and
// Wayland compositors that offer to), it keeps doing so.
void FitTitleBar(wxTopLevelWindow& window) {
#ifdef GDK_WINDOWING_WAYLAND
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_WAYLAND_DISPLAY(display) || gdk_wayland_display_prefers_ssd(display)) {
        return;
    }
    GtkWidget* titleBar = gtk_header_bar_new();
    GtkStyleContext* style = gtk_widget_get_style_context(titleBar);
    gtk_style_context_add_class(style, GTK_STYLE_CLASS_TITLEBAR);
    gtk_style_context_add_class(style, "default-decoration");
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(titleBar), TRUE);
    gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(titleBar), kTitleBarButtons);
    gtk_header_bar_set_title(GTK_HEADER_BAR(titleBar), window.GetTitle().utf8_str());
    gtk_widget_show(titleBar);
    gtk_window_set_titlebar(GTK_WINDOW(window.GetHandle()), titleBar);
#else
    (void)window;
#endif
}

void FitMenuBar(wxMenuBar& menuBar, int width) {
    auto* widget = static_cast<GtkWidget*>(menuBar.GetHandle());
    const FontDescription font = ThemeFont(widget);
    const int room = RoomAroundTitles(widget);
    int pixels = PixelsOf(*font, widget);
    if (room + TitlesWidth(menuBar, widget, *font, pixels) <= width) {
        return;
    }
    while (pixels > kSmallestMenuFontPixels &&
           room + TitlesWidth(menuBar, widget, *font, pixels) > width) {
        --pixels;
    }
    StyleMenuTitles(pixels);
}

void FollowScaleChanges(wxTopLevelWindow&) {}
