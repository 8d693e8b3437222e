#include "base/AppError.h"

#include <new>

#include "base/UiTexts.h"

std::string DescriptionOf(std::int32_t number) {
    switch (number) {
        case ErrorNumber::InvalidCall: return std::string(texts::kInvalidCall);
        case ErrorNumber::Overflow: return std::string(texts::kOverflow);
        case ErrorNumber::OutOfMemory: return std::string(texts::kOutOfMemory);
        case ErrorNumber::SubscriptOutOfRange: return std::string(texts::kSubscriptOutOfRange);
        case ErrorNumber::TypeMismatch: return std::string(texts::kTypeMismatch);
        case ErrorNumber::Internal: return std::string(texts::kInternalError);
        case ErrorNumber::FileNotFound: return std::string(texts::kFileNotFound);
        case ErrorNumber::DiskFull: return std::string(texts::kDiskFull);
        case ErrorNumber::PermissionDenied: return std::string(texts::kPermissionDenied);
        case ErrorNumber::FileAccess: return std::string(texts::kFileAccess);
        case ErrorNumber::PathNotFound: return std::string(texts::kPathNotFound);
        case ErrorNumber::NotSupported: return std::string(texts::kActNotInThisBuild);
        default: return {};
    }
}

void Raise(std::int32_t number) { throw AppError(number, DescriptionOf(number)); }

void Raise(std::int32_t number, std::string description) { throw AppError(number, std::move(description)); }

AppError ErrorOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const AppError*>(&error)) return *own;
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return AppError(ErrorNumber::OutOfMemory, std::string(texts::kOutOfMemory));
    }
    return AppError(ErrorNumber::Internal, std::string(texts::kInternalError) + ": " + error.what());
}

AppError CurrentError() {
    try {
        throw;
    } catch (const std::exception& e) {
        return ErrorOf(e);
    } catch (...) {
        return AppError(ErrorNumber::Internal, std::string(texts::kInternalError));
    }
}
