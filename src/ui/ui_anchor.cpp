// Placeholder translation unit until the main window lands.
namespace tavlor::ui { int anchor = 0; }
