#pragma once
#include "core/HashList.h"
#include "ui/ButtonTip.h"

// A page button that opens what its page file names: a document or program, a folder, a web
// address, or a file or folder fetched from an FTP mirror.
class CExecBtn : public CButtonTip {
  public:
    CExecBtn(const std::string& caption, const std::string& behavior, const std::string& file,
             const TipStyle& style);

    bool Create(LPCSTR caption, const RECT& rect, HWND parent, UINT id);

    std::string Site;           // the mirror chosen last
    std::string LocalSubfolder; // where FTP downloads go inside the live folder
    std::string Behavior;
    std::string File;
    BOOL ChangeCurrDir = FALSE;
    CHashList Hashes; // what an FTP fetch must match before anything is opened

  protected:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void OnClicked();
    void OnFtpClicked();
    void FetchFromFtp();
};
