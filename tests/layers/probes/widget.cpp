// Must not compile in a layer below the window: it sees no widget.
#include <QWidget>
