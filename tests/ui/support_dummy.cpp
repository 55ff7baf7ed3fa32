// Keeps the UI test support library non-empty before any shared helper exists.
namespace tavlor_uitest { int supportAnchor = 0; }
