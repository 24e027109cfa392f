// CHyperLink: a static text control that looks and acts like a web link. It
// paints its text in the link, visited or hover colour, shows a hand pointer
// and a tooltip with its target, shrinks to its text, and on a click opens
// the target through the shell, or else the program registered for ".htm".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/types.h"

namespace lv {

// Launch codes of our own, beside the system's (0 to 32 are failures).
// The address, or the command registered to open it, does not fit the
// command buffer: refused rather than cut into another command.
constexpr std::int32_t kLaunchTooLong = -1;

class CHyperLink : public IControlHandler {
public:
    static constexpr std::size_t kRegistryValueSize = 260;
    static constexpr std::size_t kCommandSize = 520;
    static constexpr std::uintptr_t kToolId = 1;

    CHyperLink();
    ~CHyperLink() override;
    CHyperLink(const CHyperLink&) = delete;
    CHyperLink& operator=(const CHyperLink&) = delete;

    // Takes over an existing static control (the dialog's data exchange).
    void Attach(HWindow control);
    HWindow Window() const { return hwnd_; }

    void SetUrl(const char* url);
    std::string GetUrl() const { return m_strUrl; }
    // -1 as the hover colour stands for the system highlight colour.
    void SetLinkColors(Colour link, Colour visited, Colour hover = Colour(-1));
    Colour GetLinkColor() const { return m_crLinkColour; }
    Colour GetVisitedColor() const { return m_crVisitedColour; }
    Colour GetHoverColor() const { return m_crHoverColour; }
    void SetVisited(bool visited = true);
    bool IsVisited() const { return m_bVisited != 0; }
    // None loads the hand pointer.
    void SetLinkCursor(HCursor cursor);
    HCursor GetLinkCursor() const { return m_hLinkCursor; }
    void SetUnderline(bool underline = true);
    bool IsUnderlined() const { return m_bUnderline != 0; }
    void SetFitToText(bool fit = true);
    bool GetFitToText() const { return m_bAdjustToFit != 0; }

    void FitToText();
    void LoadHandCursor();
    std::int32_t OpenLink(const char* url, std::int32_t showCommand);
    void ShowOpenError(std::int32_t code);
    // The default value of a key under HKEY_CLASSES_ROOT into `out` (at
    // least kRegistryValueSize bytes). Answers the open's status (0 when
    // it opened), or kErrorMoreData when the value does not fit; a value
    // that cannot be read gives an empty text.
    std::int32_t ReadRegistryDefault(const char* subKey, char* out);

    // The parent's messages for this control, reflected to it:
    // WM_COMMAND with STN_CLICKED and WM_CTLCOLORSTATIC.
    bool OnReflectedMessage(const Message& m, std::intptr_t& result);
    // Every queued message of the dialog's loop, before dispatch.
    void PreTranslateMessage(const Message& m);
    bool OnControlMessage(const Message& m, std::intptr_t& result) override;

private:
    void OnAttach();
    void OnClicked();
    std::intptr_t OnCtlColor(HDc dc);
    std::intptr_t OnSetCursor();
    void OnMouseMove(const Message& m);
    void OnCaptureChanged(const Message& m);
    void MakeLinkFont();

    // Fields, in order.
    Colour m_crLinkColour;
    Colour m_crVisitedColour;
    Colour m_crHoverColour;
    std::int32_t m_bOverControl = 0;
    std::int32_t m_bVisited = 0;
    std::int32_t m_bUnderline = 1;
    std::int32_t m_bAdjustToFit = 1;
    std::string m_strUrl;
    HFont m_Font = HFont::None;
    HCursor m_hLinkCursor = HCursor::None;
    HWindow m_ToolTip = HWindow::None;

    HWindow hwnd_ = HWindow::None;
    // The copy LoadHandCursor made, which this control destroys.
    HCursor ownCursor_ = HCursor::None;
};

}  // namespace lv
