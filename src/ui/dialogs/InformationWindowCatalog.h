#pragma once

#include <memory>

namespace mivo {

class InformationWindow;
class UrlOpener;

// Mivo's four information windows, made hidden. Each owns itself once shown: closing it deletes it.

// "Romulus Not Found": the user asked for Romulus before choosing where it is.
[[nodiscard]] std::unique_ptr<InformationWindow> makeRomulusNotFoundWindow();

// "About": version, author, and the author's e-mail address and web page as links opened through
// `urls`, which must outlive the window.
[[nodiscard]] std::unique_ptr<InformationWindow> makeAboutWindow(UrlOpener& urls);

// "About Add-ons": where Romulus comes from.
[[nodiscard]] std::unique_ptr<InformationWindow> makeAboutAddonsWindow();

// "About Emulators": where the emulators come from.
[[nodiscard]] std::unique_ptr<InformationWindow> makeAboutEmulatorsWindow();

} // namespace mivo
