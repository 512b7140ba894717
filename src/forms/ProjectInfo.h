#pragma once

// Who makes Tabulist and where to reach them, shown by the about dialog. Kept in one
// place so that a packager can put in their own credits and addresses.

namespace tabulist::project {

inline constexpr char CreditLine[] = "written and looked after by";
inline constexpr char MakerName[] = "The Tabulist Project";
inline constexpr char Street[] = "1 Example Street";
inline constexpr char Town[] = "12345 Example Town";

// The mail program is handed "mailto:" + this address.
inline constexpr char EMailAddress[] = "team@tabulist.example.org";
// Handed to the browser unchanged, so it carries its scheme.
inline constexpr char WebAddress[] = "https://tabulist.example.org";

}  // namespace tabulist::project
