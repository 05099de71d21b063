// Every text the program shows, in UTF-16 through the wide-character API, so
// that they read the same whatever the system's code page.
#pragma once

inline constexpr wchar_t kMainWindowClassName[] = L"ウィンドウクラスネーム";
inline constexpr wchar_t kMainWindowTitle[] = L"Brevane";

// Lines of the main window.
inline constexpr wchar_t kPlaceholderText[] = L"ここにQRコードが表示されます";
inline constexpr wchar_t kDesignFileHeading[] = L"バイナリデータをQRコード化しました";
inline constexpr wchar_t kImageHeading[] = L"画像をQRコード化しました";
inline constexpr wchar_t kFoundDesignHeading[] = L"QRコードを読み取りました";
// Design number, then the number of designs.
inline constexpr wchar_t kDesignCounterFormat[] = L"左クリックで次のQRコードを表示(%d/%d)";

// File dialogs: the filter holds label and pattern, each ending in a NUL.
inline constexpr wchar_t kDesignFileDialogTitle[] = L"バイナリファイルを選択してください";
inline constexpr wchar_t kDesignFileFilter[] = L"Binary Files(*.dat)\0*.dat\0";
inline constexpr wchar_t kDesignFileDefaultExtension[] = L"*";
inline constexpr wchar_t kImageDialogTitle[] = L"QRコードにしたい画像を選択してください";
inline constexpr wchar_t kScreenshotDialogTitle[] = L"QRコード画像を選択してください";
inline constexpr wchar_t kScanPictureDialogTitle[] = L"QRコードを読み取る画像を選択してください";
// Commands 101, 102, 103, 110 and 130: every format the one picture reader takes, then any file.
inline constexpr wchar_t kPictureFilter[] =
    L"画像ファイル (*.bmp;*.png;*.jpg;*.jpeg)\0*.bmp;*.png;*.jpg;*.jpeg\0"
    L"すべてのファイル (*.*)\0*.*\0";
inline constexpr wchar_t kPictureDefaultExtension[] = L"bmp";

// Message boxes: the image commands' caption, and the plain one of the capture,
// of writing and of dropped files.
inline constexpr wchar_t kErrorCaption[] = L"error(・。・)";
inline constexpr wchar_t kPlainErrorCaption[] = L"エラー";
inline constexpr wchar_t kImageSizeMessage[] =
    L"画像サイズは縦横ともに32の倍数でお願いしますm(.. )m";
inline constexpr wchar_t kScreenshotSizeMessage[] = L"これ400x240の画像じゃないよ(ノω；)";
inline constexpr wchar_t kDecodeFailedMessage[] = L"QRコードを読み取れませんでした";
inline constexpr wchar_t kDecodeWrittenMessage[] = L"デコード結果を出力しました";
inline constexpr wchar_t kSuccessCaption[] = L"成功";
inline constexpr wchar_t kPictureTooLargeMessage[] = L"画像が大きすぎます";
// A file that could not be written, named by its path; and a dropped or
// command-line file that is neither a picture nor a design file.
inline constexpr wchar_t kWriteFailedFormat[] = L"ファイルを書き込めませんでした: %s";
inline constexpr wchar_t kCannotOpenFileMessage[] = L"このファイルは開けません";

// The decoded record goes to this file in the current directory.
inline constexpr wchar_t kDecodeOutputFileName[] = L"output.dat";

// The screen capture: its overlay, the design-count dialog and its messages.
inline constexpr wchar_t kCaptureOverlayClassName[] = L"WHOLE";
inline constexpr wchar_t kDesignCountDialogTitle[] = L"zidiriの枚数選択";
inline constexpr wchar_t kTooManyDesignsMessage[] =
    L"zidiriの数が多すぎます。40枚以下にしてください。";
inline constexpr wchar_t kScreenCaptureErrorMessage[] = L"画面キャプチャエラー";

// Keeping what the window shows: the save dialogs, the folder of an export and its progress.
inline constexpr wchar_t kSaveQrPictureTitle[] = L"QRコードを保存";
inline constexpr wchar_t kSaveQrPictureFilter[] = L"PNG画像 (*.png)\0*.png\0";
inline constexpr wchar_t kSaveQrPictureExtension[] = L"png";
inline constexpr wchar_t kSaveDesignFileTitle[] = L"デザインを保存";
inline constexpr wchar_t kSaveDesignFileExtension[] = L"dat";
inline constexpr wchar_t kCaptureSourceStem[] = L"キャプチャ";
inline constexpr wchar_t kExportFolderTitle[] = L"書き出すフォルダーを選択してください";
inline constexpr wchar_t kExportOverwriteMessage[] =
    L"このフォルダーには既に index.html があります。上書きしますか?";
inline constexpr wchar_t kExportOverwriteCaption[] = L"確認";
// The progress window's caption, as brevane.rc gives it; designs written, then the number of designs.
inline constexpr wchar_t kExportProgressTitle[] = L"すべて書き出し";
inline constexpr wchar_t kExportProgressFormat[] = L"デザインを書き出しています (%d/%d)";
// The same window while the dither across designs runs: its steps done, then all its steps.
inline constexpr wchar_t kAcrossDesignsProgressTitle[] = L"つなぎ目なしで減色中";
inline constexpr wchar_t kAcrossDesignsProgressFormat[] = L"つなぎ目なしで減色中 (%d/%d)";
// A grid too large for the memory there is: the reduction in force before stays.
inline constexpr wchar_t kAcrossDesignsMemoryMessage[] =
    L"メモリが足りないため、つなぎ目なしで減色できません";

// Reading QR codes from a picture or from the screen (130, 131): the message
// when none is found, the name that stands for the screen in proposed file
// names and an export's title, and the scan's progress window.
inline constexpr wchar_t kNoDesignFoundMessage[] = L"QRコードが見つかりませんでした";
inline constexpr wchar_t kScreenSourceName[] = L"画面";
inline constexpr wchar_t kScanProgressTitle[] = L"読み取り";
inline constexpr wchar_t kScanProgressText[] = L"QRコードを探しています...";

// Editing a design (140), naming every design (141), and the questions before
// edits that are not saved are dropped.
inline constexpr wchar_t kEditorTitle[] = L"デザインを編集";
inline constexpr wchar_t kNameDesignsTitle[] = L"名前をまとめて付ける";
inline constexpr wchar_t kDiscardChangesMessage[] = L"変更を破棄しますか?";
inline constexpr wchar_t kDropEditsMessage[] = L"保存していない編集内容は失われます。続けますか?";
inline constexpr wchar_t kCloseWithEditsMessage[] =
    L"保存していない編集内容があります。終了しますか?";
inline constexpr wchar_t kQuestionCaption[] = L"確認";
// The pixel under the pointer: x, y and its slot; or x, y of a pixel of no slot.
inline constexpr wchar_t kPointerSlotFormat[] = L"x %d, y %d\nスロット %d";
inline constexpr wchar_t kPointerNoSlotFormat[] = L"x %d, y %d\nスロットなし";
// A name whose "{n}" makes it longer than the record holds.
inline constexpr wchar_t kNameTooLongMessage[] = L"デザイン名が長すぎます (20文字まで)";
// Item 141's progress while the designs of a grid are made and named.
inline constexpr wchar_t kNamingProgressFormat[] = L"名前を付けています (%d/%d)";
// Design-sized QR codes a scan saw but could not read, their number in %d: beside
// the designs found, and when there were none.
inline constexpr wchar_t kUnreadSymbolsFormat[] = L"読み取れなかったQRコードが%d個あります";
inline constexpr wchar_t kNoticeCaption[] = L"注意";
inline constexpr wchar_t kOnlyUnreadSymbolsFormat[] =
    L"QRコードが%d個見つかりましたが、読み取れませんでした";
// Reading QR codes from the clipboard's picture (132).
inline constexpr wchar_t kClipboardSourceName[] = L"クリップボード";
inline constexpr wchar_t kNoClipboardPictureMessage[] = L"クリップボードに画像がありません";
