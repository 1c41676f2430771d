#pragma once
// A project's structure: its buildings, each building's storeys (or
// construction parts) and each storey's element types. Each level is a
// folder; the project folder holds "projectinfo.xml" (the buildings) and each
// building folder "buildinginfo.xml" (the building's details and storeys).
// Names become folder names, so a name that could lead out of its folder is
// refused.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace envora {
// Whether `name` can name a folder inside its parent: not empty, not "." or
// "..", without '/', '\\', ':' or control characters.
bool isSafeName(const QString& name);
} // namespace envora

class CVes_LayerInfo {
public:
    CVes_LayerInfo() = default;
    virtual ~CVes_LayerInfo() = default;

    QString name() const { return m_name; }
    // False, and nothing changes, for a name that is not safe.
    bool setName(const QString& name);

    const QStringList& elementTypes() const { return m_elementTypes; }
    // Nonzero when the element type was added: its name is safe and no
    // element type of the storey has it yet (letter case aside).
    int AddElementType(const QString& name);
    // Nonzero when an element type of that name was removed.
    int removeEle(const QString& name);
    // Nonzero when `oldName` was renamed to a safe name no other element
    // type of the storey has.
    int renameEle(const QString& oldName, const QString& newName);

private:
    QString m_name;
    QStringList m_elementTypes;
};

class CVes_BuildingInfo {
public:
    static constexpr const char* kFileName = "buildinginfo.xml";

    CVes_BuildingInfo() = default;
    virtual ~CVes_BuildingInfo() = default;
    CVes_BuildingInfo(CVes_BuildingInfo&&) = default;
    CVes_BuildingInfo& operator=(CVes_BuildingInfo&&) = default;

    QString name() const { return m_name; }
    bool setName(const QString& name);  // false for a name that is not safe
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    QString company() const { return m_company; }
    void setCompany(const QString& company) { m_company = company; }
    QString preparer() const { return m_preparer; }
    void setPreparer(const QString& preparer) { m_preparer = preparer; }
    QString checker() const { return m_checker; }
    void setChecker(const QString& checker) { m_checker = checker; }
    int flag() const { return m_flag; }
    void setFlag(int flag) { m_flag = flag; }

    int layerCount() const { return int(m_layers.size()); }
    CVes_LayerInfo* layer(int index) const;
    // A new storey of that name, or null when the name is not safe or a
    // storey of the building has it already (letter case aside).
    CVes_LayerInfo* AddLayerInfo(const QString& name);
    // Takes the storey out of the building and hands it over; null when it
    // is not one of the building's.
    std::unique_ptr<CVes_LayerInfo> remove(CVes_LayerInfo* layer);

    // Reads the building's details and storeys from its file. The name is
    // taken from the file only while the building has none (the project
    // file names it). Entries whose names are not safe are left out and the
    // user is told. False, with nothing changed, when the file is missing
    // or damaged.
    bool readFile(const QString& path);
    bool writeFile(const QString& path, QString* error = nullptr) const;

private:
    QString m_name;
    QString m_folder;
    QString m_company;
    QString m_preparer;
    QString m_checker;
    int m_flag = 0;
    std::vector<std::unique_ptr<CVes_LayerInfo>> m_layers;
};

class CVes_ProjectInfo {
public:
    static constexpr const char* kFileName = "projectinfo.xml";

    CVes_ProjectInfo() = default;
    virtual ~CVes_ProjectInfo() = default;
    CVes_ProjectInfo(CVes_ProjectInfo&&) = default;
    CVes_ProjectInfo& operator=(CVes_ProjectInfo&&) = default;

    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }

    int buildingCount() const { return int(m_buildings.size()); }
    CVes_BuildingInfo* building(int index) const;
    // Takes over the building; null (and the building is dropped) when its
    // name is not safe or another building has it.
    CVes_BuildingInfo* addBuilding(std::unique_ptr<CVes_BuildingInfo> building);
    void removeAll();

    // Reads the list of buildings; the project folder becomes the file's
    // folder. Building folders are kept relative to it in the file; a
    // building whose name is not safe or whose folder lies outside the
    // project folder is left out and the user is told. False, with nothing
    // changed, when the file is missing or damaged.
    bool readFile(const QString& path);
    bool writeFile(const QString& path, QString* error = nullptr) const;

private:
    QString m_folder;
    std::vector<std::unique_ptr<CVes_BuildingInfo>> m_buildings;
};
