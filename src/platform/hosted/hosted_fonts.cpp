#include "platform/hosted/hosted_fonts.h"

#include <pango/pangocairo.h>

#include <cctype>
#include <utility>

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

std::string HostFontFamily(const std::string& windowsName) {
    static const std::pair<const char*, const char*> kFamilies[] = {
        {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},  {"microsoft sans serif", "Liberation Sans"},
        {"ms shell dlg", "Liberation Sans"},   {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},         {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},        {"verdana", "DejaVu Sans"},
        {"tahoma", "DejaVu Sans"},             {"comic sans ms", "Comic Neue"},
    };
    std::string lower;
    for (const char c : windowsName) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [name, family] : kFamilies) {
        if (lower == name) return family;
    }
    return windowsName.empty() ? "Liberation Sans" : windowsName;
}

namespace {

PangoFontDescription* Describe(const HostFontRequest& font) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, HostFontFamily(font.Name).c_str());
    pango_font_description_set_absolute_size(description, static_cast<double>(font.CharacterHeight) * PANGO_SCALE);
    pango_font_description_set_weight(description, font.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description, font.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return description;
}

void Fill(PangoLayout* layout, const HostFontRequest& font, std::string_view text) {
    PangoFontDescription* description = Describe(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    const std::string utf8 = utf8FromWindows(text);
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    if (font.Underline || font.StrikeOut) {
        PangoAttrList* attributes = pango_attr_list_new();
        if (font.Underline) pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font.StrikeOut) pango_attr_list_insert(attributes, pango_attr_strikethrough_new(true));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
}

// Pixel-exact text, as a Windows screen font draws it: no subpixel positions.
void SetScreenOptions(PangoContext* context) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context, 96.0);
}

}  // namespace

HostFonts::HostFonts() : context_(pango_font_map_create_context(pango_cairo_font_map_get_default())) {
    SetScreenOptions(context_);
}

HostFonts::~HostFonts() { g_object_unref(context_); }

TextExtent HostFonts::Measure(const HostFontRequest& font, std::string_view text) {
    PangoLayout* layout = pango_layout_new(context_);
    Fill(layout, font, text);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return {width, height};
}

PangoLayout* HostFonts::NewLayout(cairo_t* cr, const HostFontRequest& font, std::string_view text) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    SetScreenOptions(pango_layout_get_context(layout));
    pango_layout_context_changed(layout);
    Fill(layout, font, text);
    return layout;
}

}  // namespace tavlin::hosted
