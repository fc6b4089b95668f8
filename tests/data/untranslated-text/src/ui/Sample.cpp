// A label written inline, which no translation reaches.
const char* kMarked = QT_TRANSLATE_NOOP("Tinsori", "Save Settings");
const char* kInline = "Remove a Favorite";
