#pragma once
// The kind of cell a grid makes: a registered name with a factory. The grid
// creates its cells from one of these (the default cell type, or the type a
// caller gives SetCellType), so the grid's users choose the class of a cell
// at run time.

#include <QString>
#include <memory>

class CGridCellBase;

class GridCellClass {
public:
    using Factory = std::unique_ptr<CGridCellBase> (*)();

    // The class of cell type T (named by T::ClassName), registered on first use.
    template <class T>
    static const GridCellClass* Of()
    {
        static const GridCellClass* const cls =
            Register(QString::fromLatin1(T::ClassName), [] {
                return std::unique_ptr<CGridCellBase>(std::make_unique<T>());
            });
        return cls;
    }
    // Registers a factory under a name; a name registered before keeps its
    // first factory. Never returns null.
    static const GridCellClass* Register(const QString& name, Factory factory);
    // The class registered under the name, or null.
    static const GridCellClass* Find(const QString& name);

    const QString& Name() const { return m_name; }
    // A new cell of this class (null when the factory makes none).
    std::unique_ptr<CGridCellBase> CreateObject() const;

    GridCellClass(QString name, Factory factory) : m_name(std::move(name)), m_factory(factory) {}

private:
    QString m_name;
    Factory m_factory;
};
