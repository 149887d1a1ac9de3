#pragma once

class QString;

// Told about every path the active document takes, and again whenever the file
// at that path changes on disk. An empty path means that there is no recipe.
// Listeners are never destroyed through this interface, hence no virtual
// destructor.
class ActiveDocumentListener
{
public:
    virtual void openPath(const QString& path) = 0;

protected:
    ~ActiveDocumentListener() = default;
};
