#pragma once

namespace kordana {

class CommitBindings;
class PageDispatcher;

/// What a page class gets from the window while it builds its controls: the shared commit
/// handlers to bind its editing controls to, and the dispatcher, for widgets whose visibility
/// follows an image byte (`addVisibilityRule`).
struct PageContext {
    CommitBindings& bindings;
    PageDispatcher& dispatcher;
};

} // namespace kordana
