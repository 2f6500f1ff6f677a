// The life of the browser control's helper (the process that runs the engine behind its view) as
// one state, and what each happening makes of it. The control acts on the state it is in; which
// state follows which is decided here only.
#pragma once

enum class THelperLife {
    Idle,        // no helper, and no page waits for one
    Making,      // a helper is being started and its view set up
    EndedMaking, // the helper ended while its view was set up: noted until the set-up is done
    Running,     // a helper runs the view
    Waiting,     // no helper; a page waits to be shown as soon as the control is in sight
    Failed,      // the helper ended by itself or could not be started: the notice shows, and a page
                 // waits until the control was out of sight (a helper that fails at its start is
                 // not started again and again)
};

enum class THelperEvent {
    Start,        // a view is asked for
    Made,         // the view's set-up is done
    NotMade,      // no helper could be had
    Ended,        // the helper told of its end
    Freed,        // the view was freed while out of sight; its page waits
    Kept,         // a page came while the control was out of sight with no view: it waits
    Closed,       // the view was freed at the page's own request
    OutOfSight,   // the control went out of sight
    NothingWaits, // no page waits any more (none was kept, or a new one took its place)
};

THelperLife NextHelperLife(THelperLife now, THelperEvent event);
