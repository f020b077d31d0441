# Completion of trntool's commands, options and files in bash.

# Offers the folders, and the files whose names match Pattern (a regular
# expression, in any case), that begin with the word being completed.
_trntool_files() {
  local name
  while IFS= read -r name; do
    if [[ -d "$name" ]] || [[ "${name,,}" =~ $1 ]]; then COMPREPLY+=("$name"); fi
  done < <(compgen -f -- "${COMP_WORDS[COMP_CWORD]}")
  compopt -o filenames 2>/dev/null
}

_trntool() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  if ((COMP_CWORD == 1)); then
    mapfile -t COMPREPLY < <(compgen -W "check dump export fmt import lint path render route --help --version" -- "$cur")
    return
  fi
  local command=${COMP_WORDS[1]} options="--help"
  [[ "$command" == render ]] && options="--size --background --simplify --scale --paper --landscape --help"
  [[ "$command" == lint ]] && options="--min-radius --help"
  [[ "$command" == import ]] && options="--railway --buildings --crs --origin --help"
  case "$prev" in
    --size | --scale | --min-radius | --railway | --crs | --origin) return ;;
    --paper)
      mapfile -t COMPREPLY < <(compgen -W "A3 A4 A5 Letter Legal" -- "$cur")
      return
      ;;
  esac
  if [[ "$cur" == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  # The arguments before this one: what they are says what this one is.
  local i arguments=0
  for ((i = 2; i < COMP_CWORD; i++)); do
    case "${COMP_WORDS[i]}" in
      --size | --scale | --paper | --min-radius | --railway | --crs | --origin) ((i++)) ;;
      -*) ;;
      *) ((arguments++)) ;;
    esac
  done
  case "$command" in
    check | lint | dump | fmt) _trntool_files '\.trn$' ;;
    # After the map come a train's number or points' identifiers.
    route | path) ((arguments == 0)) && _trntool_files '\.trn$' ;;
    import)
      if ((arguments == 0)); then
        _trntool_files '\.(osm|pbf|json|geojson)$'
      else
        _trntool_files '\.trn$'
      fi
      ;;
    export)
      if ((arguments == 0)); then
        _trntool_files '\.trn$'
      else
        _trntool_files '\.(geojson|dxf)$'
      fi
      ;;
    render)
      if ((arguments == 0)); then
        _trntool_files '\.trn$'
      else
        _trntool_files '\.(png|svg|pdf)$'
      fi
      ;;
  esac
}
complete -F _trntool trntool
