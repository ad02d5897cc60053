#include "look.h"

#include "uir/model.h"

namespace uir::qt {

QFont panel_font() {
    QFont f;
    f.setFamilies({"DejaVu Sans", "Liberation Sans", "Noto Sans", "Arial"});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(kFontPixels);
    return f;
}

QFont list_font() {
    QFont f;
    f.setFamilies(
        {"DejaVu Sans Condensed", "Liberation Sans Narrow", "Arial Narrow", "DejaVu Sans"});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(kFontPixels);
    return f;
}

QColor colour(int rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

namespace {

QString escaped(std::string_view utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    s.replace('&', QStringLiteral("&&"));
    return s;
}

}  // namespace

QString mnemonic_text(std::string_view label) {
    const LabelParts parts = split_label(label);
    const std::string_view text = parts.text;
    if (parts.shortcut < 0 || parts.shortcut >= static_cast<int>(text.size())) return escaped(text);
    const auto at = static_cast<std::size_t>(parts.shortcut);
    return escaped(text.substr(0, at)) + '&' + escaped(text.substr(at));
}

QString menu_title_text(std::string_view title) {
    const LabelParts parts = split_label(title);
    if (parts.shortcut >= 0 || parts.text.empty()) return mnemonic_text(title);
    return '&' + escaped(parts.text);
}

QString plain_text(std::string_view label) {
    return QString::fromStdString(split_label(label).text);
}

}  // namespace uir::qt
