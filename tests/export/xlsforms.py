#!/usr/bin/env python3
# Writes XLSForm workbooks as field-collection tools and people write them
# (openpyxl, not our writer), and reads ours back:
#   xlsforms.py fieldtool FILE   several sheets, extra columns, label::English (en), the long spellings
#   xlsforms.py household FILE   a household questionnaire: choices, limits, conditions
#   xlsforms.py repeat FILE      the household questionnaire with a repeat and a calculation
#   xlsforms.py later FILE       the household questionnaire with a page (field-list group) and a ranking
#   xlsforms.py rankone FILE     the household questionnaire with a ranking of one choice
#   xlsforms.py nosurvey FILE    a workbook whose sheets are no XLSForm
#   xlsforms.py missinglist FILE a select naming a list the choices sheet lacks
#   xlsforms.py duplicate FILE   two questions of one name
#   xlsforms.py badxml FILE      a workbook whose sheet list is cut off
#   xlsforms.py bomb FILE        a survey sheet that unpacks to far more than it packs
#   xlsforms.py read FILE        -> {"sheets": {name: [[cell, ...], ...]}} as JSON
import json
import sys

import openpyxl


def workbook(sheets):
    book = openpyxl.Workbook()
    book.remove(book.active)
    for name, rows in sheets:
        sheet = book.create_sheet(name)
        for row in rows:
            sheet.append(row)
    return book


def household():
    survey = [
        ["type", "name", "label", "hint", "required", "relevant", "constraint", "appearance"],
        ["start", "start", None, None, None, None, None, None],
        ["note", "intro", "Household survey", None, None, None, None, None],
        ["text", "village", "Village", "As the village is known locally", "yes", None, None, None],
        ["integer", "members", "How many people live in the household?", None, "yes", None,
         ". >= 1 and . <= 30", None],
        ["select_one yesno", "water", "Does the household have piped water?", None, "yes", None, None, None],
        ["select_one source", "source", "Main source of drinking water", None, None, "${water} = 'no'",
         None, "minimal"],
        ["select_multiple assets", "assets", "Which of these does the household own?", None, None, None,
         None, None],
        ["integer", "cattle", "How many cattle?", None, None, "selected(${assets}, 'cattle')", ". >= 0",
         None],
        ["date", "visit", "Date of the visit", None, None, None, None, None],
        ["text", "remarks", "Remarks", None, None, None, None, "multiline"],
    ]
    choices = [
        ["list_name", "name", "label"],
        ["yesno", "yes", "Yes"],
        ["yesno", "no", "No"],
        ["source", "well", "Well"],
        ["source", "river", "River"],
        ["source", "rain", "Rain water"],
        ["assets", "radio", "Radio"],
        ["assets", "bicycle", "Bicycle"],
        ["assets", "cattle", "Cattle"],
    ]
    settings = [["form_title", "form_id"], ["Household survey 2026", "household"]]
    return survey, choices, settings


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "read":
        book = openpyxl.load_workbook(path)
        print(json.dumps({"sheets": {sheet.title: [[c for c in row] for row in sheet.iter_rows(values_only=True)]
                                     for sheet in book.worksheets}}, default=str))
        return
    if kind == "fieldtool":
        survey = [
            ["Type", "Name", "Label::English (en)", "label::Français (fr)", "Hint::English (en)", "Required",
             "required_message::English (en)", "Relevant", "Appearance", "Constraint",
             "constraint_message::English (en)", "media::image::English (en)", "Default"],
            ["start", "start"],
            ["end", "end"],
            ["deviceid", "deviceid"],
            ["begin group", "respondent", "About you", "À propos de vous", None, None, None, None, "compact"],
            ["text", "full_name", "Your name", "Votre nom", "As on your identity card", True, "Needed"],
            ["phone number", "phone", "Phone", "Téléphone", None, "true()"],
            ["end group"],
            ["select one from yesno", "consent", "Do you agree to take part?", "Acceptez-vous ?", None, "TRUE",
             None, None, "likert"],
            ["select all that apply from topics", "topics", "Topics you follow", "Sujets", None, "no", None,
             "${consent} = 'yes'"],
            ["decimal", "income", "Monthly income", "Revenu", None, None, None, "selected(${topics}, 'money')",
             None, ".>=0", "Not below zero"],
            ["range", "mood", "How do you feel today?", "Humeur", None, None, None, None, None, None, None, None,
             None],
            ["note", "thanks", "Thank you!", "Merci !", None, None, None, None, None, None, None, "thanks.png"],
        ]
        choices = [
            ["list name", "name", "label::English (en)", "label:Français (fr)", "Filter"],
            ["yesno", "yes", "Yes", "Oui"],
            ["yesno", "no", "No", "Non"],
            ["topics", "money", "Money", "Argent"],
            ["topics", "health", "Health", "Santé"],
        ]
        settings = [["form_title", "form_id", "version", "default_language"],
                    ["Field survey", "field_survey", "2026120701", "English (en)"]]
        book = workbook([("survey", survey), ("choices", choices), ("settings", settings),
                         ("notes", [["Written by the field team"]])])
        # The range's parameters as tools write them.
        book["survey"].cell(row=1, column=14, value="parameters")
        book["survey"].cell(row=12, column=14, value="start=0 end=4 step=1")
    elif kind in ("household", "repeat"):
        survey, choices, settings = household()
        if kind == "repeat":
            survey[1:1] = [["begin_repeat", "person", "Household member", None, None, None, None, None]]
            survey.insert(3, ["end_repeat", None, None, None, None, None, None, None])
            survey.append(["calculate", "total", None, None, None, None, None, None])
            survey.append(["geopoint", "where", "Where is the house?", None, None, None, None, None])
        book = workbook([("survey", survey), ("choices", choices), ("settings", settings)])
        if kind == "repeat":
            book["survey"].cell(row=1, column=9, value="calculation")
            book["survey"].cell(row=len(survey) - 1, column=9, value="${members} * 2")
    elif kind in ("badxml", "bomb"):
        import zipfile
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as package:
            package.writestr("xl/_rels/workbook.xml.rels",
                             '<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>')
            if kind == "badxml":
                package.writestr("xl/workbook.xml", '<workbook><sheets><sheet name="survey" r:id="rId1"')
            else:
                package.writestr("xl/workbook.xml",
                                 '<workbook xmlns:r="r"><sheets><sheet name="survey" r:id="rId1"/></sheets></workbook>')
                package.writestr("xl/worksheets/sheet1.xml", "<worksheet>" + " " * (64 * 1024 * 1024) + "</worksheet>")
        return
    elif kind == "later":
        survey, choices, settings = household()
        survey += [["begin_group", "page", "Page one", None, None, None, None, "field-list"],
                   ["text", "inside", "Inside", None, None, None, None, None],
                   ["end_group", None, None, None, None, None, None, None],
                   ["rank source", "ranked", "Rank the sources", None, None, None, None, None]]
        book = workbook([("survey", survey), ("choices", choices), ("settings", settings)])
    elif kind == "rankone":
        survey, choices, settings = household()
        survey.append(["rank one", "ranked", "Rank it", None, None, None, None, None])
        choices.append(["one", "only", "Only"])
        book = workbook([("survey", survey), ("choices", choices), ("settings", settings)])
    elif kind == "nosurvey":
        book = workbook([("Sheet1", [["a", "b"], [1, 2]])])
    elif kind == "missinglist":
        survey, choices, settings = household()
        book = workbook([("survey", survey), ("choices", [r for r in choices if r[0] != "assets"]),
                         ("settings", settings)])
    elif kind == "duplicate":
        survey, choices, settings = household()
        survey.append(["text", "village", "Village again", None, None, None, None, None])
        book = workbook([("survey", survey), ("choices", choices), ("settings", settings)])
    else:
        raise SystemExit("unknown kind " + kind)
    book.save(path)


main()
