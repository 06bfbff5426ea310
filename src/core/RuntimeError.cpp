#include "core/RuntimeError.h"

#include <new>

namespace kelvora::core {

std::string ErrorDescription(int number) {
    switch (number) {
        case kInvalidProcedureCall: return "プロシージャの呼び出し、または引数が不正です。";
        case kOverflow: return "オーバーフローしました。";
        case kOutOfMemory: return "メモリが不足しています。";
        case kSubscriptOutOfRange: return "インデックスが有効範囲にありません。";
        case kTypeMismatch: return "型が一致しません。";
        case kBadFileNameOrNumber: return "ファイル名または番号が不正です。";
        case kFileNotFound: return "ファイルが見つかりません。";
        case kFileAlreadyOpen: return "ファイルは既に開かれています。";
        case kInputPastEndOfFile: return "ファイルにこれ以上データがありません。";
        case kPermissionDenied: return "書き込みできません。";
        case kPathFileAccessError: return "パス名が無効です。";
        case kPathNotFound: return "パスが見つかりません。";
        case kInvalidPicture: return "ピクチャが不正です。";
        default: return "アプリケーション定義またはオブジェクト定義のエラーです。";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

void RaiseError(int number) { throw RuntimeError(number); }

RuntimeError CurrentError() {
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(kOutOfMemory);
    } catch (const std::exception&) {
        return RuntimeError(kInvalidProcedureCall);
    }
}

}  // namespace kelvora::core
