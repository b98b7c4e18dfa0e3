// Handlers are plain functions with exactly their event's int32 parameters, returning void or
// int32. Adapt<F>() makes the one shape the dispatcher calls; the program's key table lists them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "runtime/form_model.h"

namespace runtime {

struct HandlerEntry {
  uint32_t key;
  const char* name;
  HandlerThunk thunk;
  int arity;
};

namespace internal {
template <typename F>
struct HandlerTraits;
template <typename R, typename... A>
struct HandlerTraits<R (*)(A...)> {
  static_assert((std::is_same_v<A, int32_t> && ...), "handler parameters are int32_t");
  static_assert(std::is_void_v<R> || std::is_same_v<R, int32_t>, "handlers return void or int32_t");
  static constexpr int kArity = sizeof...(A);
  using Result = R;
};
template <auto F, size_t... I>
std::optional<int32_t> Call(const int32_t* args, std::index_sequence<I...>) {
  using Traits = HandlerTraits<std::remove_cv_t<decltype(F)>>;
  if constexpr (std::is_void_v<typename Traits::Result>) {
    F(args[I]...);
    return std::nullopt;
  } else {
    return F(args[I]...);
  }
}
}  // namespace internal

template <auto F>
constexpr HandlerEntry Handler(uint32_t key, const char* name) {
  using Traits = internal::HandlerTraits<std::remove_cv_t<decltype(F)>>;
  return {key, name,
          [](const int32_t* args) {
            return internal::Call<F>(args, std::make_index_sequence<Traits::kArity>{});
          },
          Traits::kArity};
}

}  // namespace runtime
